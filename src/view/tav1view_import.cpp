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
    request.caption = QStringLiteral("Import occupancy map");
    request.filter = QStringLiteral("Occupancy maps (*.yaml *.yml *.pgm *.png)");
    if (const std::optional<std::string> chosen = ui().fileDialog(request)) {
        importMap(*chosen);
    }
}

bool CTAV1View::importMap(const std::string& path)
{
    auto imported = importOccupancyMap(path);
    if (const QString* failure = std::get_if<QString>(&imported)) {
        ui().messageBox(QStringLiteral("Error Import occupancy map"), *failure, Ui::Icon::Error);
        return false;
    }
    ImportedMap& map = std::get<ImportedMap>(imported);
    if (!showLoadedMap(std::make_shared<const QImage>(std::move(map.image)), map.geometry)) {
        return false;
    }
    // A new map starts a new obstacle log, as loading one does.
    g_obstacleCount = 0;
    return true;
}
