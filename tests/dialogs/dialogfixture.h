#pragma once

#include "dialogs/curvedlg.h"
#include "dialogs/templatedialog.h"
#include "batch/scriptedui.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// The scripted Ui installed for one test. It also records the icon of each box and the parent
// of each dialog, which the scripted Ui alone does not keep.
class DialogTest : public ::testing::Test {
protected:
    class RecordingUi : public ScriptedUi {
    public:
        void messageBox(const QString& caption, const QString& text, Icon icon) override
        {
            m_icons.push_back(icon);
            ScriptedUi::messageBox(caption, text, icon);
        }
        int runModal(ModalDialog& dialog) override
        {
            m_parents.push_back(dialog.dialog().parentWidget());
            return ScriptedUi::runModal(dialog);
        }
        const std::vector<Icon>& icons() const { return m_icons; }
        // The window each dialog was opened over.
        const std::vector<QWidget*>& parents() const { return m_parents; }

    private:
        std::vector<Icon> m_icons;
        std::vector<QWidget*> m_parents;
    };

    void SetUp() override { setUi(&m_ui); }
    void TearDown() override { setUi(nullptr); }

    // After OK was refused at the value count: the members after it keep their defaults.
    static void expectCurveMembersAfterValueCountKept(const CCurveDlg& curve)
    {
        EXPECT_EQ(curve.m_valueCount, 101);
        EXPECT_EQ(curve.m_curveStartX, 200);
        EXPECT_EQ(curve.m_curveStartY, 200);
        EXPECT_EQ(curve.m_radius10, 20);
        EXPECT_EQ(curve.m_numbers, 0);
        EXPECT_EQ(curve.m_squaresEllipses, 0);
        EXPECT_EQ(curve.m_preciseIntegration, 0);
    }

    // The dialog DoModal shows for `form`, loaded from the members and not yet shown.
    static std::unique_ptr<TemplateDialog> createDialog(DialogForm form)
    {
        return std::make_unique<TemplateDialog>(std::move(form));
    }

    // Presses OK. The text of the box it showed, or "accepted" when the dialog closed with OK.
    QString pressOk(TemplateDialog& dialog)
    {
        const std::size_t shown = m_ui.messages().size();
        const bool accepted = dialog.pressOk();
        EXPECT_EQ(m_ui.messages().size(), shown + (accepted ? 0 : 1));
        EXPECT_EQ(dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        return accepted ? QStringLiteral("accepted") : m_ui.messages().back().text;
    }

    // Opens the dialog of `object`, types `text` into `field` and presses OK.
    template <typename Object>
    QString enter(Object& object, const char* field, const QString& text)
    {
        const auto dialog = createDialog(object.form());
        EXPECT_TRUE(dialog->typeInto(QString::fromLatin1(field), text));
        return pressOk(*dialog);
    }

    RecordingUi m_ui;
};
