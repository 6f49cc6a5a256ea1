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

QPrinter& CTAV1View::printer()
{
    // Made when first asked for: finding the system's printers can take a while.
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
    }
    return *m_printer;
}

void CTAV1View::OnFilePrint()
{
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        printCanvas(printer(), m_canvas);
    }
}

void CTAV1View::OnFilePrintPreview()
{
    QPrintPreviewDialog preview(&printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { printCanvas(*target, m_canvas); });
    preview.exec();
}
