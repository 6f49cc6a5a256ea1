#include "view/tav1view.h"

#include "view/pageprint.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

void printCanvas(QPrinter& printer, const QImage& canvas)
{
    QPainter painter(&printer);
    paintCanvasOnPage(painter, painter.viewport(), canvas);
}

} // namespace

void CTAV1View::OnFilePrint()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        printCanvas(printer, m_canvas);
    }
}

void CTAV1View::OnFilePrintPreview()
{
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printCanvas(*target, m_canvas); });
    preview.exec();
}
