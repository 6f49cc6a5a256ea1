#pragma once

#include "dialogs/dialogform.h"
#include "platform/ui.h"

#include <QDialog>

#include <map>
#include <vector>

struct ControlTemplate;
class QCheckBox;
class QLineEdit;

// A modal parameter dialog built from a dialog template, with a member table that moves values
// between its controls and the members of the object it edits. It opens loaded from the
// members. OK saves them row by row with their checks and closes only when every row passed;
// Cancel, Escape and the close box close it and save nothing.
class TemplateDialog : public QDialog, public ModalDialog {
public:
    explicit TemplateDialog(DialogForm form, QWidget* parent = nullptr);

    QDialog& dialog() override { return *this; }
    bool typeInto(const QString& field, const QString& text) override;
    bool pressOk() override;

    // The control with template id `id`; nullptr when there is none.
    QWidget* control(int id) const;

private:
    QWidget* createControl(const ControlTemplate& control);
    void load();
    QLineEdit* lineEdit(int id) const;
    QCheckBox* checkBox(int id) const;

    std::vector<MemberBinding> m_members;
    std::map<int, QWidget*> m_controls;
};
