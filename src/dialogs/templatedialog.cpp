#include "dialogs/templatedialog.h"

#include "dialogs/dialogtemplate.h"
#include "platform/dialogunits.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace {

// A plain check box: a click or the space bar still reaches it, but its state changes only
// when the program sets it, as no handler of the program does.
class ManualCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

QLabel* createLabel(const ControlTemplate& control, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    const bool centred = control.kind != ControlKind::Label;
    label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    if (control.kind == ControlKind::Heading) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    return label;
}

QCheckBox* createCheckBox(const ControlTemplate& control, const QString& text, QWidget* parent)
{
    QCheckBox* box = control.kind == ControlKind::AutoCheckBox ? new QCheckBox(text, parent)
                                                              : new ManualCheckBox(text, parent);
    if (control.textSide == TextSide::Left) {
        box->setLayoutDirection(Qt::RightToLeft);
    }
    return box;
}

} // namespace

TemplateDialog::TemplateDialog(DialogForm form, QWidget* parent)
    : QDialog(parent), m_members(std::move(form.members))
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (form.layout.systemMenu == SystemMenu::Yes) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    setWindowFlags(flags);
    setWindowTitle(QString::fromUtf8(form.layout.caption));
    const QFont font = dialogFont();
    setFont(font);
    setFixedSize(fromDialogUnits(font, 0, 0, form.layout.width, form.layout.height).size());

    // Created in template order, which makes it the tab order. A label's mnemonic leads to
    // the control that follows it.
    QLabel* labelWithMnemonic = nullptr;
    for (const ControlTemplate& control : form.layout.controls) {
        QWidget* widget = createControl(control);
        widget->setGeometry(
            fromDialogUnits(font, control.x, control.y, control.width, control.height));
        if (labelWithMnemonic != nullptr) {
            labelWithMnemonic->setBuddy(widget);
            labelWithMnemonic = nullptr;
        }
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && label->text().contains(QLatin1Char('&'))) {
            labelWithMnemonic = label;
        }
        if (control.id != kNoControlId) {
            m_controls.emplace(control.id, widget);
        }
    }
    load();
}

QWidget* TemplateDialog::createControl(const ControlTemplate& control)
{
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button: {
        auto* button = new QPushButton(text, this);
        button->setDefault(control.kind == ControlKind::DefaultButton);
        if (control.id == IDOK) {
            connect(button, &QPushButton::clicked, this, [this] { pressOk(); });
        } else if (control.id == IDCANCEL) {
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        }
        return button;
    }
    case ControlKind::Label:
    case ControlKind::CentredLabel:
    case ControlKind::Heading:
        return createLabel(control, text, this);
    case ControlKind::Edit:
        return new QLineEdit(this);
    case ControlKind::CheckBox:
    case ControlKind::AutoCheckBox:
        break;
    }
    return createCheckBox(control, text, this);
}

void TemplateDialog::load()
{
    for (const MemberBinding& member : m_members) {
        if (member.kind == MemberBinding::Kind::Check) {
            checkBox(member.controlId)->setChecked(memberChecked(member));
        } else {
            lineEdit(member.controlId)->setText(memberText(member));
        }
    }
}

bool TemplateDialog::typeInto(const QString& field, const QString& text)
{
    for (const MemberBinding& member : m_members) {
        if (member.field != field) {
            continue;
        }
        if (member.kind != MemberBinding::Kind::Check) {
            lineEdit(member.controlId)->setText(text);
            return true;
        }
        if (text != QLatin1String("0") && text != QLatin1String("1")) {
            return false;
        }
        // Also sets a box that does not toggle by itself, as scripts must be able to.
        checkBox(member.controlId)->setChecked(text == QLatin1String("1"));
        return true;
    }
    return false;
}

bool TemplateDialog::pressOk()
{
    // Row by row: the rows before a refused one keep their new values.
    for (const MemberBinding& member : m_members) {
        if (member.kind == MemberBinding::Kind::Check) {
            storeChecked(member, checkBox(member.controlId)->isChecked());
            continue;
        }
        QLineEdit* edit = lineEdit(member.controlId);
        const QString refusal = storeText(member, edit->text());
        if (!refusal.isEmpty()) {
            ui().messageBox(QStringLiteral("TAV1"), refusal, Ui::Icon::Warning);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            return false;
        }
    }
    accept();
    return true;
}

QWidget* TemplateDialog::control(int id) const
{
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

QLineEdit* TemplateDialog::lineEdit(int id) const
{
    return qobject_cast<QLineEdit*>(control(id));
}

QCheckBox* TemplateDialog::checkBox(int id) const
{
    return qobject_cast<QCheckBox*>(control(id));
}
