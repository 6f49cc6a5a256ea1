#pragma once

#include <QWidget>

// Pane 0 of the status bar. Tab characters divide its text into a left-aligned, a centred and
// a right-aligned part, as the Windows status bar does.
class MessagePane : public QWidget {
public:
    explicit MessagePane(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
