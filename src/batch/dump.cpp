#include "batch/dump.h"

#include "config/inisettings.h"
#include "dialogs/systemdlg.h"
#include "batch/scriptedui.h"
#include "platform/textformat.h"
#include "sim/scanrecord.h"
#include "view/tav1view.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// Texts the program holds as bytes are shown as UTF-8, invalid bytes replaced.
QString utf8(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A 32-bit real as the double of its 9 significant digits: it reads back to the same bits, and
// the dump's numbers stay as short as they have always been. JSON has no non-finite numbers.
QJsonValue real(float value)
{
    if (!std::isfinite(value)) {
        return QJsonValue::Null;
    }
    return QByteArray::fromStdString(printfReal(value, 9, std::defaultfloat)).toDouble();
}

QJsonArray reals(std::initializer_list<float> values)
{
    QJsonArray array;
    for (const float value : values) {
        array.append(real(value));
    }
    return array;
}

void addDialogs(QJsonObject& state, const CTAV1View& view)
{
    const CCurveDlg& curve = view.m_curveDlg;
    state["m_curveDlg"] = QJsonObject{{"m_samplingPeriod", real(curve.m_samplingPeriod)},
                                      {"m_incrementalEllipse", curve.m_incrementalEllipse},
                                      {"m_valueCount", curve.m_valueCount},
                                      {"m_curveStartX", curve.m_curveStartX},
                                      {"m_curveStartY", curve.m_curveStartY},
                                      {"m_radius10", curve.m_radius10},
                                      {"m_numbers", curve.m_numbers},
                                      {"m_squaresEllipses", curve.m_squaresEllipses},
                                      {"m_preciseIntegration", curve.m_preciseIntegration}};
    state["m_vehicleDlg"] = QJsonObject{{"m_wheelTrack", view.m_vehicleDlg.m_wheelTrack},
                                        {"m_cartLength", view.m_vehicleDlg.m_cartLength}};
    state["g_systemDlg"] = QJsonObject{{"m_amplitude", g_systemDlg.m_amplitude},
                                       {"m_traces", g_systemDlg.m_traces},
                                       {"m_delay", g_systemDlg.m_delay},
                                       {"m_scannerTrace", g_systemDlg.m_scannerTrace},
                                       {"m_writeValues", g_systemDlg.m_writeValues}};
    const CStartEndDlg& points = view.m_startEndDlg;
    state["m_startEndDlg"] = QJsonObject{{"m_endX", points.m_endX},
                                         {"m_endY", points.m_endY},
                                         {"m_startX", points.m_startX},
                                         {"m_startY", points.m_startY}};
}

void addScanner(QJsonObject& state)
{
    state["g_scanFarthestDistance"] = real(g_scanFarthestDistance);
    state["g_scanFarthestAngle"] = real(g_scanFarthestAngle);
    state["g_minDistance"] = g_minDistance;
    state["g_obstacleCount"] = g_obstacleCount;
    QJsonArray obstacles;
    for (int i = 0; i < std::clamp(g_obstacleCount, 0, kObstacleCapacity); ++i) {
        obstacles.append(QJsonArray{g_obstaclePoints[i].x, g_obstaclePoints[i].y, real(g_obstacleValues[i])});
    }
    state["obstacles"] = obstacles;
}

void addData(QJsonObject& state, const CTAV1View& view)
{
    QJsonArray points;
    for (int i = 0; i < std::clamp(view.m_pointCount, 0, kPointSlots); ++i) {
        points.append(reals({view.m_pointsX.get()[i], view.m_pointsY.get()[i]}));
    }
    state["points"] = points;
    QJsonArray trajectory;
    for (int i = 0; i < std::clamp(view.m_trajectoryHighWater, 0, kTrajectoryCapacity); ++i) {
        trajectory.append(QJsonArray{view.m_pTrajectory.get()[i].x, view.m_pTrajectory.get()[i].y});
    }
    state["trajectory"] = trajectory;
    QJsonArray integration;
    for (int i = 0; i < std::clamp(view.m_integrationCount, 0, kIntegrationCapacity); ++i) {
        const IntegrationRecord& r = view.m_pAlgoBuffer.get()[i];
        integration.append(reals({r.posX, r.posY, r.sampleX, r.sampleY, r.integralX, r.integralY}));
    }
    state["integration"] = integration;
}

// The last run's steps whose cart covered a wall of the map: how many, and the first (null for none).
void addCollisions(QJsonObject& state, const RunRecord& run)
{
    const auto collided = [](const StepRecord& step) { return step.collision; };
    state["collisionSteps"] = qint64(std::count_if(run.steps.begin(), run.steps.end(), collided));
    const auto first = std::find_if(run.steps.begin(), run.steps.end(), collided);
    state["firstCollisionStep"] = first != run.steps.end() ? QJsonValue(first->step) : QJsonValue(QJsonValue::Null);
}

void addMessages(QJsonObject& state, const ScriptedUi& ui)
{
    QJsonArray messages;
    for (const ScriptedUi::Message& message : ui.messages()) {
        messages.append(QJsonObject{{"caption", message.caption}, {"text", message.text}});
    }
    state["messages"] = messages;
}

} // namespace

// 64-bit reals read back exactly as Qt writes them; Qt writes non-finite ones as null.
std::string dumpState(const CTAV1View& view, const QString& status, const ScriptedUi& ui)
{
    QJsonObject state{
        {"m_cartX", view.m_cartX},
        {"m_cartY", view.m_cartY},
        {"m_targetX", view.m_targetX},
        {"m_targetY", view.m_targetY},
        {"m_dataFileName", utf8(view.m_dataFileName)},
        {"m_delayMs", view.m_delayMs},
        {"m_mapFileName", utf8(view.m_mapFileName)},
        {"m_scanStepDivisor", real(view.m_scanStepDivisor)},
        {"m_trajectoryType", view.m_trajectoryType},
        {"m_amplitude", view.m_amplitude},
        {"m_curveDialogs", view.m_curveDialogs},
        {"m_openDialog", view.m_openDialog},
        {"m_useDefaults", view.m_useDefaults},
        {"m_showMessageBox", view.m_showMessageBox},
        {"m_plotOnDraw", view.m_plotOnDraw},
        {"m_bitmapLoaded", view.m_bitmapLoaded},
        {"m_startSet", view.m_startSet},
        {"m_endSet", view.m_endSet},
        {"m_pointCount", view.m_pointCount},
        {"m_scannerRange", view.m_scannerRange},
        {"m_markersShown", view.m_markersShown},
        {"m_trajectoryCount", view.m_trajectoryCount},
        {"m_bitmapX", view.m_bitmapX},
        {"m_bitmapY", view.m_bitmapY},
        {"m_trajectoryColor", qint64(view.m_trajectoryColor)},
        {"m_startX", view.m_startEndDlg.m_startX},
        {"m_startY", view.m_startEndDlg.m_startY},
        {"m_endX", view.m_startEndDlg.m_endX},
        {"m_endY", view.m_startEndDlg.m_endY},
        {"m_pCart", QJsonObject{{"wheelTrack", view.m_pCart->wheelTrack},
                                {"cartLength", view.m_pCart->cartLength},
                                {"heading", view.m_pCart->heading}}},
        {"status", status},
        {"cwd", QDir::currentPath()},
    };
    // Where an imported occupancy map lies in the world; null for any other map.
    if (const std::optional<MapGeometry>& geometry = view.m_mapGeometry) {
        state["m_mapGeometry"] = QJsonObject{
            {"resolution", geometry->resolution},
            {"origin", QJsonArray{geometry->originX, geometry->originY, geometry->originYaw}},
            {"heightPixels", geometry->heightPixels}};
    } else {
        state["m_mapGeometry"] = QJsonValue::Null;
    }
    addDialogs(state, view);
    addScanner(state);
    addData(state, view);
    addCollisions(state, view.m_lastRun);
    addMessages(state, ui);
    return QJsonDocument(state).toJson(QJsonDocument::Compact).toStdString();
}
