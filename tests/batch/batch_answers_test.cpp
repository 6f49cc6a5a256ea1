// The reference of batch commands in the README is made from the command table: for each
// command, the dialog its words answer and when it is asked at all. Here every command runs
// as a script runs it, and opens exactly that dialog, only under that condition.

#include "common/appfixture.h"
#include "platform/pause.h"
#include "view/commandtable.h"

#include <QDialog>

#include <utility>

namespace {

const QString kFileDialog = QStringLiteral("a file dialog");

// Cancels every dialog and notes which one opened: a parameter dialog by its caption.
class DialogRecorder : public ScriptedUi {
public:
    std::optional<std::string> fileDialog(const FileDialogRequest&) override
    {
        m_opened << kFileDialog;
        return std::nullopt;
    }
    int runModal(ModalDialog& dialog) override
    {
        m_opened << dialog.dialog().windowTitle();
        return IDCANCEL;
    }
    QStringList take() { return std::exchange(m_opened, {}); }

private:
    QStringList m_opened;
};

QStringList rowDialogs(const CommandDialog& dialog, bool iniAsks)
{
    if (dialog.when != nullptr && !iniAsks) {
        return {};
    }
    if (dialog.parameters != nullptr) {
        return {dialog.parameters().caption};
    }
    if (dialog.file != nullptr) {
        return {kFileDialog};
    }
    return {};
}

class BatchAnswers : public AppFixture {
protected:
    void TearDown() override
    {
        setPausesSkipped(false);
        AppFixture::TearDown();
    }

    // Runs every command a script can name, in the table's order, and checks what opened.
    void runEveryCommand(const QByteArray& ini, bool iniAsks)
    {
        setUi(&m_recorder);
        setPausesSkipped(true);
        ASSERT_TRUE(startOnWhiteMap(ini));
        m_recorder.take();
        for (const Command& command : commandTable()) {
            if (command.batchName == nullptr) {
                continue;
            }
            run(command.id);
            EXPECT_EQ(m_recorder.take(), rowDialogs(command.dialog, iniAsks)) << command.batchName;
        }
    }

private:
    DialogRecorder m_recorder;
};

TEST_F(BatchAnswers, EachCommandOpensTheDialogItsRowNamesWhenTavIniAsksForDialogs)
{
    runEveryCommand("[Velmora]\nDialogs=1\nMessageBox=0\n[TAV]\nDialogs=1\nDefault=0\n", true);
}

TEST_F(BatchAnswers, OnlyTheDialogsAskedEveryTimeOpenWhenTavIniAsksForNone)
{
    runEveryCommand("[Velmora]\nDialogs=0\nMessageBox=0\n[TAV]\nDialogs=0\nDefault=1\n", false);
}

} // namespace
