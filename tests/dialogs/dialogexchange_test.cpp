// How values move between the members and the controls: opening, OK with a refused field,
// and the ways out that save nothing.
#include "dialogfixture.h"

#include "dialogs/curvedlg.h"
#include "dialogs/systemdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class DialogExchange : public DialogTest {
protected:
    // The curve settings as the view sets them at start-up.
    static CCurveDlg viewDefaults()
    {
        CCurveDlg curve;
        curve.m_samplingPeriod = 0.02f;
        curve.m_incrementalEllipse = 1;
        curve.m_valueCount = 101;
        curve.m_curveStartX = 200;
        curve.m_curveStartY = 200;
        curve.m_radius10 = 20;
        return curve;
    }

    static QString text(TemplateDialog& dialog, int id)
    {
        return qobject_cast<QLineEdit*>(dialog.control(id))->text();
    }

    static bool checked(TemplateDialog& dialog, int id)
    {
        return qobject_cast<QCheckBox*>(dialog.control(id))->isChecked();
    }

    static void sendKey(QWidget* widget, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }
};

} // namespace

TEST_F(DialogExchange, OpensShowingTheMembers)
{
    CCurveDlg curve = viewDefaults();
    curve.m_preciseIntegration = 1;
    const auto dialog = createDialog(curve.form());
    EXPECT_EQ(text(*dialog, 1029), "0.02");
    EXPECT_EQ(text(*dialog, 1026), "101");
    EXPECT_EQ(text(*dialog, 1028), "200");
    EXPECT_EQ(text(*dialog, 1015), "200");
    EXPECT_EQ(text(*dialog, 1012), "20");
    EXPECT_TRUE(checked(*dialog, 1025));
    EXPECT_FALSE(checked(*dialog, 1027));
    EXPECT_FALSE(checked(*dialog, 1003));
    EXPECT_TRUE(checked(*dialog, 1033));
    EXPECT_EQ(text(*dialog, 1007), "");
    EXPECT_EQ(text(*dialog, 1008), "");

    CSystemDlg system;
    system.m_writeValues = 1;
    system.m_delay = -7;
    const auto systemDialog = createDialog(system.form());
    EXPECT_EQ(text(*systemDialog, 1018), "0");
    EXPECT_EQ(text(*systemDialog, 1022), "-7");
    EXPECT_FALSE(checked(*systemDialog, 1020));
    EXPECT_FALSE(checked(*systemDialog, 1023));
    EXPECT_TRUE(checked(*systemDialog, 1024));
}

TEST_F(DialogExchange, RefusedOkKeepsTheRowsBeforeTheRefusedOne)
{
    CCurveDlg curve = viewDefaults();
    const auto dialog = createDialog(curve.form());
    dialog->show();
    for (const auto& [field, value] : {std::pair{"samplingPeriod", "0.5"}, {"incrementalEllipse", "0"},
                                       {"valueCount", "6000"}, {"curveStartX", "300"},
                                       {"curveStartY", "400"}, {"radius10", "30"}, {"numbers", "1"},
                                       {"squaresEllipses", "1"}, {"preciseIntegration", "1"}}) {
        ASSERT_TRUE(dialog->typeInto(field, value)) << field;
    }
    EXPECT_EQ(pressOk(*dialog), "Please enter an integer between 2 and 5000.");
    EXPECT_TRUE(dialog->isVisible());
    dialog->reject();

    EXPECT_EQ(curve.m_samplingPeriod, 0.5f);
    EXPECT_EQ(curve.m_incrementalEllipse, 0);
    expectCurveMembersAfterValueCountKept(curve);
}

TEST_F(DialogExchange, RefusedFieldTakesTheFocusWithItsTextSelected)
{
    CSystemDlg system;
    const auto dialog = createDialog(system.form());
    dialog->show();
    dialog->activateWindow();
    dialog->control(IDOK)->setFocus();
    ASSERT_TRUE(dialog->typeInto("amplitude", "100"));
    ASSERT_TRUE(dialog->typeInto("delay", " 12a "));
    EXPECT_EQ(pressOk(*dialog), "Please enter an integer.");
    auto* delay = qobject_cast<QLineEdit*>(dialog->control(1022));
    EXPECT_EQ(dialog->focusWidget(), delay);
    EXPECT_EQ(delay->selectedText(), " 12a ");
    EXPECT_EQ(system.m_amplitude, 100);

    // Corrected, the same dialog closes with OK.
    ASSERT_TRUE(dialog->typeInto("delay", "20"));
    EXPECT_EQ(pressOk(*dialog), "accepted");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(system.m_delay, 20);
}

TEST_F(DialogExchange, EnterPressesOk)
{
    CSystemDlg system;
    const auto dialog = createDialog(system.form());
    dialog->show();
    ASSERT_TRUE(dialog->typeInto("amplitude", "77"));
    sendKey(dialog->control(1018), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(system.m_amplitude, 77);

    // A refused value keeps the dialog open.
    const auto again = createDialog(system.form());
    again->show();
    ASSERT_TRUE(again->typeInto("amplitude", "-77"));
    sendKey(again->control(1018), Qt::Key_Enter);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(system.m_amplitude, 77);
}

TEST_F(DialogExchange, CancelEscapeAndCloseBoxSaveNothing)
{
    CSystemDlg system;
    const auto typeEverything = [](TemplateDialog& dialog) {
        dialog.show();
        for (const auto& [field, value] :
             {std::pair{"amplitude", "100"}, {"traces", "1"}, {"delay", "20"},
              {"scannerTrace", "1"}, {"writeValues", "1"}}) {
            ASSERT_TRUE(dialog.typeInto(field, value)) << field;
        }
    };

    const auto cancelled = createDialog(system.form());
    typeEverything(*cancelled);
    qobject_cast<QAbstractButton*>(cancelled->control(IDCANCEL))->click();
    EXPECT_EQ(cancelled->result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled->isVisible());

    const auto escaped = createDialog(system.form());
    typeEverything(*escaped);
    sendKey(escaped->control(1022), Qt::Key_Escape);
    EXPECT_EQ(escaped->result(), QDialog::Rejected);
    EXPECT_FALSE(escaped->isVisible());

    const auto closed = createDialog(system.form());
    typeEverything(*closed);
    closed->close();
    EXPECT_EQ(closed->result(), QDialog::Rejected);

    EXPECT_EQ(system.m_amplitude, 0);
    EXPECT_EQ(system.m_traces, 0);
    EXPECT_EQ(system.m_delay, 0);
    EXPECT_EQ(system.m_scannerTrace, 0);
    EXPECT_EQ(system.m_writeValues, 0);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(DialogExchange, CentreFieldsBelongToNoMember)
{
    CCurveDlg curve = viewDefaults();
    const CCurveDlg before = curve;
    const auto dialog = createDialog(curve.form());
    qobject_cast<QLineEdit*>(dialog->control(1007))->setText("55");
    qobject_cast<QLineEdit*>(dialog->control(1008))->setText("not even a number");
    EXPECT_EQ(pressOk(*dialog), "accepted");
    EXPECT_EQ(curve.m_curveStartX, before.m_curveStartX);
    EXPECT_EQ(curve.m_curveStartY, before.m_curveStartY);
    EXPECT_EQ(curve.m_radius10, before.m_radius10);

    const auto reopened = createDialog(curve.form());
    EXPECT_EQ(text(*reopened, 1007), "");
    EXPECT_EQ(text(*reopened, 1008), "");
}

TEST_F(DialogExchange, TypingNeedsAFieldTheDialogHas)
{
    CCurveDlg curve = viewDefaults();
    const auto dialog = createDialog(curve.form());
    EXPECT_FALSE(dialog->typeInto("m_valueCount", "5"));
    EXPECT_FALSE(dialog->typeInto("valuecount", "5"));
    EXPECT_FALSE(dialog->typeInto("amplitude", "5"));
    // A check box takes 0 or 1 only.
    EXPECT_FALSE(dialog->typeInto("numbers", "2"));
    EXPECT_FALSE(dialog->typeInto("numbers", "yes"));
    EXPECT_FALSE(checked(*dialog, 1027));
    EXPECT_TRUE(dialog->typeInto("numbers", "1"));
    EXPECT_TRUE(checked(*dialog, 1027));
    // An edit takes any text; OK judges it.
    EXPECT_TRUE(dialog->typeInto("valueCount", "many"));
    EXPECT_EQ(text(*dialog, 1026), "many");
}
