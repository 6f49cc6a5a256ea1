// What the four dialogs look like: captions, control texts, frames, tab order, buttons and
// check boxes.
#include "dialogfixture.h"

#include "dialogs/curvedlg.h"
#include "dialogs/startenddlg.h"
#include "dialogs/systemdlg.h"
#include "dialogs/vehicledlg.h"
#include "platform/dialogunits.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <memory>

namespace {

class DialogWidgets : public DialogTest {
protected:
    // The texts of the controls in the order they were made; an edit shows as "<edit>".
    static QStringList controlTexts(const QDialog& dialog)
    {
        QStringList texts;
        for (QObject* child : dialog.children()) {
            if (auto* label = qobject_cast<QLabel*>(child)) {
                texts << label->text();
            } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
                texts << button->text();
            } else if (qobject_cast<QLineEdit*>(child) != nullptr) {
                texts << QStringLiteral("<edit>");
            }
        }
        return texts;
    }

    // The controls Tab visits, starting at OK.
    static std::vector<QWidget*> tabOrder(TemplateDialog& dialog)
    {
        std::vector<QWidget*> order;
        QWidget* const first = dialog.control(IDOK);
        QWidget* widget = first;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
                order.push_back(widget);
            }
            widget = widget->nextInFocusChain();
        } while (widget != first && order.size() < 64);
        return order;
    }

    static std::vector<QWidget*> controls(TemplateDialog& dialog, std::initializer_list<int> ids)
    {
        std::vector<QWidget*> widgets;
        for (const int id : ids) {
            widgets.push_back(dialog.control(id));
        }
        return widgets;
    }

    static QLabel* labelWithText(TemplateDialog& dialog, const QString& text)
    {
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == text) {
                return label;
            }
        }
        return nullptr;
    }

    static QPushButton* button(TemplateDialog& dialog, int id)
    {
        return qobject_cast<QPushButton*>(dialog.control(id));
    }

    static QCheckBox* checkBox(TemplateDialog& dialog, int id)
    {
        return qobject_cast<QCheckBox*>(dialog.control(id));
    }

    static QSize sizeInDialogUnits(int width, int height)
    {
        return fromDialogUnits(dialogFont(), 0, 0, width, height).size();
    }

    // A click with the left button on the box itself.
    static void clickBox(QCheckBox* box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        const QPointF at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, box->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, box->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box, &release);
    }

    static void pressSpace(QWidget* widget)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(widget, &release);
    }
};

} // namespace

TEST_F(DialogWidgets, StartEnd)
{
    CStartEndDlg points;
    const auto dialog = createDialog(points.form());
    EXPECT_EQ(dialog->windowTitle(), "StartEnd");
    EXPECT_EQ(controlTexts(*dialog), QStringList({"OK", "Cancel", "Start:", "End:", "X", "Y", "<edit>",
                                                  "<edit>", "<edit>", "<edit>"}));
    EXPECT_EQ(tabOrder(*dialog), controls(*dialog, {IDOK, IDCANCEL, 1000, 1001, 1002, 1003}));
    EXPECT_EQ(dialog->size(), sizeInDialogUnits(120, 78));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_EQ(dialog->control(1003)->geometry(), fromDialogUnits(dialogFont(), 72, 36, 33, 13));
}

TEST_F(DialogWidgets, Vehicle)
{
    CVehicleDlg vehicle;
    const auto dialog = createDialog(vehicle.form());
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Parametre vozíka"));
    EXPECT_EQ(controlTexts(*dialog), QStringList({"OK", "Cancel", "Rozchod kolies:", "<edit>",
                                                  "Dlzka vozika:", "<edit>"}));
    EXPECT_EQ(tabOrder(*dialog), controls(*dialog, {IDOK, IDCANCEL, 1014, 1016}));
    EXPECT_EQ(dialog->size(), sizeInDialogUnits(186, 95));
    // OK on the right, Cancel on the left.
    EXPECT_GT(dialog->control(IDOK)->x(), dialog->control(IDCANCEL)->x());
}

TEST_F(DialogWidgets, System)
{
    CSystemDlg system;
    const auto dialog = createDialog(system.form());
    EXPECT_EQ(dialog->windowTitle(), "Settings system");
    EXPECT_EQ(controlTexts(*dialog),
              QStringList({"OK", "Cancel", "&Amplituda:", "<edit>", "Stopy ?", "Oneskorenie:", "<edit>",
                           "ms", "&Stopa Scenerra:", "Pis Hodnoty"}));
    EXPECT_EQ(tabOrder(*dialog), controls(*dialog, {IDOK, IDCANCEL, 1018, 1020, 1022, 1023, 1024}));
    EXPECT_EQ(dialog->size(), sizeInDialogUnits(191, 126));
    EXPECT_EQ(labelWithText(*dialog, "&Amplituda:")->buddy(), dialog->control(1018));
    for (const int id : {1020, 1023, 1024}) {
        EXPECT_EQ(checkBox(*dialog, id)->layoutDirection(), Qt::RightToLeft) << id;
    }
}

TEST_F(DialogWidgets, Curve)
{
    CCurveDlg curve;
    const auto dialog = createDialog(curve.form());
    EXPECT_EQ(dialog->windowTitle(), "Velmora Settings");
    EXPECT_EQ(controlTexts(*dialog),
              QStringList({"OK", "Cancel", QString::fromUtf8("Perióda v&zorkovania:"), "<edit>",
                           "Stvorce/&Elipsy ?:", "Stvorce/Elipsy", "Prirastkovy algoritmus - ellipse ?:",
                           "<edit>", "Kolko Hodnot.", "Start [x,y]:", "<edit>", "<edit>", "[", "]",
                           "&Polomer x *10:", "<edit>", "Analyticke vyjedrenie", "Stred [x,y]:", "[",
                           "<edit>", ",", "<edit>", "]", "Cisla ?",
                           QString::fromUtf8("Presnejsia integrácia ?")}));
    EXPECT_EQ(tabOrder(*dialog), controls(*dialog, {IDOK, IDCANCEL, 1029, 1003, 1025, 1026, 1028, 1015,
                                                     1012, 1007, 1008, 1027, 1033}));
    EXPECT_EQ(dialog->size(), sizeInDialogUnits(187, 167));
    EXPECT_EQ(labelWithText(*dialog, QString::fromUtf8("Perióda v&zorkovania:"))->buddy(),
              dialog->control(1029));
    EXPECT_EQ(labelWithText(*dialog, "Stvorce/&Elipsy ?:")->buddy(), dialog->control(1003));
    EXPECT_EQ(labelWithText(*dialog, "&Polomer x *10:")->buddy(), dialog->control(1012));
    EXPECT_EQ(labelWithText(*dialog, "Start [x,y]:")->buddy(), nullptr);
    EXPECT_EQ(checkBox(*dialog, 1003)->layoutDirection(), Qt::LeftToRight);
    for (const int id : {1025, 1027, 1033}) {
        EXPECT_EQ(checkBox(*dialog, id)->layoutDirection(), Qt::RightToLeft) << id;
    }
    QLabel* heading = labelWithText(*dialog, "Analyticke vyjedrenie");
    EXPECT_EQ(heading->frameShadow(), QFrame::Sunken);
    EXPECT_TRUE(heading->alignment() & Qt::AlignHCenter);
}

TEST_F(DialogWidgets, OkIsTheDefaultButton)
{
    CStartEndDlg points;
    CVehicleDlg vehicle;
    CSystemDlg system;
    CCurveDlg curve;
    std::unique_ptr<TemplateDialog> dialogs[] = {createDialog(points.form()), createDialog(vehicle.form()),
                                                 createDialog(system.form()), createDialog(curve.form())};
    for (const auto& dialog : dialogs) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        EXPECT_EQ(button(*dialog, IDOK)->text(), "OK");
        EXPECT_TRUE(button(*dialog, IDOK)->isDefault());
        EXPECT_EQ(button(*dialog, IDCANCEL)->text(), "Cancel");
        EXPECT_FALSE(button(*dialog, IDCANCEL)->isDefault());
    }
}

TEST_F(DialogWidgets, OnlyTheVehicleDialogHasNoCloseBox)
{
    CStartEndDlg points;
    CVehicleDlg vehicle;
    CSystemDlg system;
    CCurveDlg curve;
    const Qt::WindowFlags closeBox = Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    const auto noMenu = createDialog(vehicle.form());
    EXPECT_TRUE(noMenu->windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_TRUE(noMenu->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(noMenu->windowFlags() & closeBox);
    std::unique_ptr<TemplateDialog> others[] = {createDialog(points.form()), createDialog(system.form()),
                                                createDialog(curve.form())};
    for (const auto& dialog : others) {
        EXPECT_EQ(dialog->windowFlags() & closeBox, closeBox) << dialog->windowTitle().toStdString();
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);
    }
}

TEST_F(DialogWidgets, StopyDoesNotToggleByItself)
{
    CSystemDlg system;
    const auto dialog = createDialog(system.form());
    dialog->show();
    QCheckBox* stopy = checkBox(*dialog, 1020);
    QCheckBox* stopa = checkBox(*dialog, 1023);

    // The same clicks and keys toggle an automatic box...
    clickBox(stopa);
    EXPECT_TRUE(stopa->isChecked());
    pressSpace(stopa);
    EXPECT_FALSE(stopa->isChecked());
    stopa->click();
    EXPECT_TRUE(stopa->isChecked());

    // ...but not "Stopy ?".
    clickBox(stopy);
    EXPECT_FALSE(stopy->isChecked());
    pressSpace(stopy);
    EXPECT_FALSE(stopy->isChecked());
    stopy->click();
    EXPECT_FALSE(stopy->isChecked());

    // A script can still set it, and a click then leaves it set.
    ASSERT_TRUE(dialog->typeInto("traces", "1"));
    EXPECT_TRUE(stopy->isChecked());
    stopy->click();
    EXPECT_TRUE(stopy->isChecked());
    EXPECT_EQ(pressOk(*dialog), "accepted");
    EXPECT_EQ(system.m_traces, 1);
    EXPECT_EQ(system.m_scannerTrace, 1);
}
