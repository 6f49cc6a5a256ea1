#include "view/tav1view.h"

#include "platform/ui.h"
#include "sim/scanrecord.h"

#include <QFile>

#include <variant>

void CTAV1View::OnImportOccupancyMap()
{
    FileDialogRequest request;
    request.open = true;
    request.initialName = QStringLiteral("*.yaml *.yml *.pgm *.png");
    if (const std::optional<std::string> chosen = ui().fileDialog(request)) {
        importMap(QFile::decodeName(chosen->c_str()));
    }
}

bool CTAV1View::importMap(const QString& path)
{
    auto imported = importOccupancyMap(path);
    if (const QString* failure = std::get_if<QString>(&imported)) {
        ui().messageBox(QStringLiteral("Error Import occupancy map"), *failure, Ui::Icon::Error);
        return false;
    }
    ImportedMap& map = std::get<ImportedMap>(imported);
    // A new map starts a new obstacle log, as loading one does.
    g_obstacleCount = 0;
    m_mapRestorable = false;
    m_hDib = std::make_shared<const QImage>(std::move(map.image));
    m_mapGeometry = map.geometry;
    m_fnc.SetMapPositionText(QString());
    if (!showLoadedMap()) {
        m_mapGeometry.reset();
        return false;
    }
    return true;
}
