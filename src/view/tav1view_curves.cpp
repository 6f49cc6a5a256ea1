#include "view/tav1view.h"

#include "curves/circle.h"
#include "curves/integration.h"
#include "curves/plot.h"
#include "curves/pointfile.h"
#include "platform/fileopen.h"
#include "platform/filewrite.h"
#include "platform/lasterror.h"
#include "platform/pixelmath.h"
#include "platform/ui.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

const char* const kFixedPointFile = "aaa.dat";

// The code of the failed call as the decimal text some boxes show.
QString lastErrorText()
{
    return QString::number(GetLastError());
}

} // namespace

void CTAV1View::OnSaveCircle()
{
    const bool fixedName = m_curveDialogs == 0;
    std::string fileName = kFixedPointFile;
    if (!fixedName) {
        FileDialogRequest request;
        request.open = false;
        request.initialName = QStringLiteral("*.*");
        request.overwritePrompt = true;
        const std::optional<std::string> chosen = ui().fileDialog(request);
        if (!chosen) {
            return;
        }
        fileName = *chosen;
    }
    const int n = std::clamp(m_curveDlg.m_valueCount, 1, kPointCapacity);
    std::vector<float> xs(std::size_t(n) + 1);
    std::vector<float> ys(std::size_t(n) + 1);
    generateCircle(n, m_curveDlg.m_radius10, xs.data(), ys.data());
    // Whole or not at all; a file that cannot be written leaves the points as they were, as one
    // that cannot be opened.
    errno = 0;
    if (!writeFileWhole(fileName, pointFileText(xs.data(), ys.data(), n))) {
        SetLastErrorFromErrno(EIO);
        if (fixedName) {
            ui().commandFailed(QStringLiteral("Error OpenFile"), lastErrorText());
        } else {
            ShowCommandError(GetLastError(), "Error fopenFile");
        }
        return;
    }
    std::copy(xs.begin(), xs.end(), m_pointsX.get());
    std::copy(ys.begin(), ys.end(), m_pointsY.get());
    m_pointCount = n + 1;
    m_plotOnDraw = true;
}

void CTAV1View::OnLoadData()
{
    m_pointCount = 0;
    std::string fileName = kFixedPointFile;
    if (m_curveDialogs != 0) {
        FileDialogRequest request;
        request.open = true;
        request.initialName = QStringLiteral("*.dat");
        const std::optional<std::string> chosen = ui().fileDialog(request);
        if (!chosen) {
            return;
        }
        fileName = *chosen;
    }
    errno = 0;
    std::FILE* file = openForReading(fileName);
    if (file == nullptr) {
        SetLastErrorFromErrno(EIO);
        ui().messageBox(lastErrorText(), QStringLiteral("Error fopen !"), Ui::Icon::Error);
        return;
    }
    errno = 0;
    const PointFileRead read = readPointFile(file, m_pointsX.get(), m_pointsY.get());
    if (read.badToken) {
        SetLastErrorFromErrno(EILSEQ);
        ShowError(GetLastError(), "Error scanf !");
    }
    m_pointCount = read.count;
    std::fclose(file);
    m_plotOnDraw = true;
    OnKresli();
}

void CTAV1View::OnKresli()
{
    if (!m_plotOnDraw) {
        ui().messageBox(QString(), QStringLiteral("Data no exzist !"), Ui::Icon::Error);
        return;
    }
    const PlotSettings settings{m_curveDlg.m_curveStartX, m_curveDlg.m_curveStartY, m_curveDlg.m_squaresEllipses != 0,
                                m_curveDlg.m_numbers != 0};
    Surface dc = GetDC();
    plotPoints(dc, m_pointsX.get(), m_pointsY.get(), m_pointCount, settings);
}

void CTAV1View::OnAlgoritmus()
{
    FileDialogRequest request;
    request.open = true;
    request.defaultExtension = QStringLiteral("dat");
    request.initialName = QStringLiteral("*.dat");
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = ui().fileDialog(request);
    if (!chosen) {
        return;
    }
    IntegrationRecord* records = m_pAlgoBuffer.get();
    std::fill_n(records, kIntegrationCapacity, IntegrationRecord{});
    std::fill_n(m_pointsX.get(), kPointSlots, 0.0f);
    std::fill_n(m_pointsY.get(), kPointSlots, 0.0f);
    m_integrationCount = 0;

    errno = 0;
    std::FILE* samples = openForReading(*chosen);
    if (samples == nullptr) {
        SetLastErrorFromErrno(EIO);
        ShowError(GetLastError(), "Error open file data.dat !");
        return;
    }
    m_dataFileName = QFileInfo(QFile::decodeName(chosen->c_str())).fileName().left(kDataFileNameLimit).toStdString();
    records[0].posX = static_cast<float>(m_curveDlg.m_curveStartX);
    records[0].posY = static_cast<float>(m_curveDlg.m_curveStartY);

    RedrawWindow(true);
    if (m_traceFile != nullptr) {
        std::fputs("OnALgoritmus Start\n", m_traceFile);
    }
    const float period = m_curveDlg.m_samplingPeriod;
    const int count = integrateFirstPass(samples, records, period, m_pointsX.get(), m_pointsY.get(), m_traceFile);
    m_pointCount = count;
    m_integrationCount = count;
    {
        Surface dc = GetDC();
        for (int k = 1; k < count; ++k) {
            if (m_curveDlg.m_preciseIntegration != 0) {
                integratePrecise(records, k, period, m_pointsX.get()[k], m_pointsY.get()[k]);
            } else {
                integrateSimple(records, k, period);
            }
            if (m_curveDlg.m_incrementalEllipse != 0) {
                const int x = truncToPixel(double(records[k].posX));
                const int y = truncToPixel(double(records[k].posY));
                dc.Ellipse(offsetPixel(x, -2), offsetPixel(y, -2), offsetPixel(x, 2), offsetPixel(y, 2));
            }
        }
    }
    if (m_showMessageBox != 0) {
        m_pText = QString::asprintf("Vzoriek:%d\nPocet:%d\nAlgoritmus Integracie:%d \n\t[false - jednoduhsi, true - presnejsi]",
                                    count, count, m_curveDlg.m_preciseIntegration)
                      .toStdString();
        ui().messageBox(QStringLiteral("INFO"), QString::fromUtf8(m_pText), Ui::Icon::Information);
    }
    std::fclose(samples);
    m_plotOnDraw = true;
    if (m_traceFile != nullptr) {
        std::fputs("OnALgoritmus Stop\n", m_traceFile);
        // The trace is written as it goes; a full disk must not pass unnoticed.
        if (std::fflush(m_traceFile) != 0 || std::ferror(m_traceFile) != 0) {
            SetLastErrorFromErrno(ENOSPC);
            std::clearerr(m_traceFile);
            ShowError(GetLastError(), "Error open temp file !");
        }
    }
    OnKresli();
}
