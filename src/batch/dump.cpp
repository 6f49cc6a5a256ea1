#include "batch/dump.h"

#include "batch/jsonwriter.h"
#include "config/inisettings.h"
#include "dialogs/systemdlg.h"
#include "platform/scriptedui.h"
#include "sim/scanrecord.h"
#include "view/tav1view.h"

#include <QDir>

#include <algorithm>

namespace {

// Texts the program holds as bytes are shown as UTF-8, invalid bytes replaced.
std::string utf8(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

template <class T>
void field(JsonWriter& json, const char* name, const T& value)
{
    json.key(name);
    json.value(value);
}

void writeDialogs(JsonWriter& json, const CTAV1View& view)
{
    const CCurveDlg& curve = view.m_curveDlg;
    json.key("m_curveDlg");
    json.beginObject();
    field(json, "m_samplingPeriod", curve.m_samplingPeriod);
    field(json, "m_incrementalEllipse", curve.m_incrementalEllipse);
    field(json, "m_valueCount", curve.m_valueCount);
    field(json, "m_curveStartX", curve.m_curveStartX);
    field(json, "m_curveStartY", curve.m_curveStartY);
    field(json, "m_radius10", curve.m_radius10);
    field(json, "m_numbers", curve.m_numbers);
    field(json, "m_squaresEllipses", curve.m_squaresEllipses);
    field(json, "m_preciseIntegration", curve.m_preciseIntegration);
    json.endObject();

    json.key("m_vehicleDlg");
    json.beginObject();
    field(json, "m_wheelTrack", view.m_vehicleDlg.m_wheelTrack);
    field(json, "m_cartLength", view.m_vehicleDlg.m_cartLength);
    json.endObject();

    json.key("g_systemDlg");
    json.beginObject();
    field(json, "m_amplitude", g_systemDlg.m_amplitude);
    field(json, "m_traces", g_systemDlg.m_traces);
    field(json, "m_delay", int(g_systemDlg.m_delay));
    field(json, "m_scannerTrace", g_systemDlg.m_scannerTrace);
    field(json, "m_writeValues", g_systemDlg.m_writeValues);
    json.endObject();

    const CStartEndDlg& points = view.m_startEndDlg;
    json.key("m_startEndDlg");
    json.beginObject();
    field(json, "m_endX", points.m_endX);
    field(json, "m_endY", points.m_endY);
    field(json, "m_startX", points.m_startX);
    field(json, "m_startY", points.m_startY);
    json.endObject();
}

void writeScanner(JsonWriter& json)
{
    field(json, "g_scanFarthestDistance", g_scanFarthestDistance);
    field(json, "g_scanFarthestAngle", g_scanFarthestAngle);
    field(json, "g_minDistance", g_minDistance);
    field(json, "g_obstacleCount", g_obstacleCount);
    json.key("obstacles");
    json.beginArray();
    for (int i = 0; i < std::clamp(g_obstacleCount, 0, kObstacleCapacity); ++i) {
        json.beginArray();
        json.value(g_obstaclePoints[i].x);
        json.value(g_obstaclePoints[i].y);
        json.value(g_obstacleValues[i]);
        json.endArray();
    }
    json.endArray();
}

void writeData(JsonWriter& json, const CTAV1View& view)
{
    json.key("points");
    json.beginArray();
    for (int i = 0; i < std::clamp(view.m_pointCount, 0, kPointSlots); ++i) {
        json.beginArray();
        json.value(view.m_pointsX.get()[i]);
        json.value(view.m_pointsY.get()[i]);
        json.endArray();
    }
    json.endArray();
    json.key("trajectory");
    json.beginArray();
    for (int i = 0; i < std::clamp(view.m_trajectoryHighWater, 0, kTrajectoryCapacity); ++i) {
        json.beginArray();
        json.value(view.m_pTrajectory.get()[i].x);
        json.value(view.m_pTrajectory.get()[i].y);
        json.endArray();
    }
    json.endArray();
    json.key("integration");
    json.beginArray();
    for (int i = 0; i < std::clamp(view.m_integrationCount, 0, kIntegrationCapacity); ++i) {
        const IntegrationRecord& record = view.m_pAlgoBuffer.get()[i];
        json.beginArray();
        for (float field : {record.posX, record.posY, record.sampleX, record.sampleY, record.integralX,
                            record.integralY}) {
            json.value(field);
        }
        json.endArray();
    }
    json.endArray();
}

} // namespace

std::string dumpState(const CTAV1View& view, const QString& status, const ScriptedUi& ui)
{
    JsonWriter json;
    json.beginObject();
    field(json, "m_cartX", view.m_cartX);
    field(json, "m_cartY", view.m_cartY);
    field(json, "m_targetX", view.m_targetX);
    field(json, "m_targetY", view.m_targetY);
    field(json, "m_dataFileName", utf8(view.m_dataFileName));
    field(json, "m_delayMs", int(view.m_delayMs));
    field(json, "m_mapFileName", utf8(view.m_mapFileName));
    field(json, "m_scanStepDivisor", view.m_scanStepDivisor);
    field(json, "m_trajectoryType", view.m_trajectoryType);
    field(json, "m_amplitude", view.m_amplitude);
    field(json, "m_curveDialogs", view.m_curveDialogs);
    field(json, "m_openDialog", view.m_openDialog);
    field(json, "m_useDefaults", view.m_useDefaults);
    field(json, "m_showMessageBox", view.m_showMessageBox);
    field(json, "m_plotOnDraw", view.m_plotOnDraw);
    field(json, "m_bitmapLoaded", view.m_bitmapLoaded);
    field(json, "m_startSet", view.m_startSet);
    field(json, "m_endSet", view.m_endSet);
    field(json, "m_pointCount", view.m_pointCount);
    field(json, "m_scannerRange", view.m_scannerRange);
    field(json, "m_markersShown", view.m_markersShown);
    field(json, "m_trajectoryCount", view.m_trajectoryCount);
    field(json, "m_bitmapX", view.m_bitmapX);
    field(json, "m_bitmapY", view.m_bitmapY);
    field(json, "m_trajectoryColor", view.m_trajectoryColor);
    field(json, "m_startX", view.m_startEndDlg.m_startX);
    field(json, "m_startY", view.m_startEndDlg.m_startY);
    field(json, "m_endX", view.m_startEndDlg.m_endX);
    field(json, "m_endY", view.m_startEndDlg.m_endY);

    json.key("m_pCart");
    json.beginObject();
    field(json, "wheelTrack", view.m_pCart->wheelTrack);
    field(json, "cartLength", view.m_pCart->cartLength);
    field(json, "heading", view.m_pCart->heading);
    json.endObject();

    writeDialogs(json, view);
    writeScanner(json);
    writeData(json, view);

    field(json, "status", utf8(status));
    field(json, "cwd", utf8(QDir::currentPath()));
    json.key("messages");
    json.beginArray();
    for (const ScriptedUi::Message& message : ui.messages()) {
        json.beginObject();
        field(json, "caption", utf8(message.caption));
        field(json, "text", utf8(message.text));
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.text();
}
