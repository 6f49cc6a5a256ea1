#include "app/commandline.h"
#include "view/commandtable.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

CommandLine parse(const QStringList& words)
{
    QByteArrayList arguments{"tav1"};
    for (const QString& word : words) {
        arguments << word.toLocal8Bit();
    }
    return parseCommandLine(arguments);
}

// Runs the program with `words` and no display; returns its exit status.
int runProgram(const QStringList& words, QByteArray* out, QByteArray* err)
{
    QProcess program;
    program.setProcessChannelMode(QProcess::SeparateChannels);
    program.start(QStringLiteral(TAV1_BINARY), words);
    program.closeWriteChannel();
    if (!program.waitForFinished(30000)) {
        program.kill();
        return -1;
    }
    *out = program.readAllStandardOutput();
    *err = program.readAllStandardError();
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

} // namespace

TEST(CommandLine, ReadsTheGnuForms)
{
    CommandLine line = parse({"--batch=run.txt", "--size", "640x480", "--fast", "--map", "m.png"});
    ASSERT_EQ(line.action, CommandLine::Action::Run) << line.error.toStdString();
    EXPECT_TRUE(line.batch);
    EXPECT_EQ(line.options.script, "run.txt");
    EXPECT_EQ(line.options.size, QSize(640, 480));
    EXPECT_TRUE(line.options.fast);
    EXPECT_EQ(line.options.map, "m.png");

    line = parse({"--map", "m.png", "--", "--odd-name"});
    ASSERT_EQ(line.action, CommandLine::Action::Run) << line.error.toStdString();
    EXPECT_FALSE(line.batch);
    EXPECT_EQ(line.options.map, "m.png");
    EXPECT_EQ(line.file, "--odd-name");

    EXPECT_EQ(parse({"--batch", "-", "--size", "16384x16384"}).options.size, QSize(16384, 16384));
    EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parse({"--help", "--bogus"}).action, CommandLine::Action::Error);

    // File names keep their bytes (these are written in a Windows code page, not UTF-8).
    for (const QByteArrayList& words : {QByteArrayList{"--map", "l\xe9.bmp", "d\xe9.txt"},
                                        QByteArrayList{"--map=l\xe9.bmp", "--", "d\xe9.txt"}}) {
        line = parseCommandLine(QByteArrayList{"tav1"} + words);
        ASSERT_EQ(line.action, CommandLine::Action::Run) << line.error.toStdString();
        EXPECT_EQ(line.options.map, "l\xe9.bmp");
        EXPECT_EQ(line.file, "d\xe9.txt");
    }
    EXPECT_EQ(parse({"-v"}).action, CommandLine::Action::Version);
    EXPECT_EQ(parse({"--version"}).action, CommandLine::Action::Version);
}

TEST(CommandLine, WrongOrIncompleteOptionsNameTheOption)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"--batch"}, "Missing value after '--batch'."},
        {{"--size", "10x10"}, "--size works only with --batch"},
        {{"--fast"}, "--fast works only with --batch"},
        {{"--batch", "-", "--size", "10by10"}, "--size wants WxH, e.g. 800x600, not '10by10'"},
        {{"--batch", "-", "--size", "800x0"}, "--size wants WxH, e.g. 800x600, not '800x0'"},
        {{"--batch", "-", "--size", "0x600"}, "--size wants WxH, e.g. 800x600, not '0x600'"},
        {{"--batch", "-", "--size", "99999x99999"},
         "--size wants at most 1024 MB of 32-bit pixels (e.g. 16384x16384), not '99999x99999'"},
        {{"--batch", "-", "--size", "16385x16384"},
         "--size wants at most 1024 MB of 32-bit pixels (e.g. 16384x16384), not '16385x16384'"},
        {{"a.txt", "b.txt"}, "only one FILE may be given"},
        {{"--batch", "-", "a.txt"}, "--batch takes no FILE"},
        {{"--batch", "-", "--desktop"}, "--desktop does not go with --batch"},
    };
    for (const auto& [words, error] : cases) {
        const CommandLine line = parse(words);
        EXPECT_EQ(line.action, CommandLine::Action::Error) << words.join(' ').toStdString();
        EXPECT_EQ(line.error, error) << words.join(' ').toStdString();
    }
}

TEST(CommandLine, TheProgramAnswersHelpVersionAndMistakes)
{
    QByteArray out;
    QByteArray err;
    EXPECT_EQ(runProgram({"--help"}, &out, &err), 0);
    EXPECT_TRUE(out.startsWith("Usage: tav1 [--map PATH] [--desktop] [FILE]\n")) << out.toStdString();
    for (const Command& command : commandTable()) {
        if (command.batchName != nullptr) {
            EXPECT_TRUE(out.contains(QByteArray(" ") + command.batchName)) << command.batchName;
        }
    }
    EXPECT_EQ(runProgram({"-v"}, &out, &err), 0);
    EXPECT_EQ(out, "TAV1 Version 1.0\n");

    EXPECT_EQ(runProgram({"--bogus"}, &out, &err), 2);
    EXPECT_EQ(err, "tav1: Unknown option 'bogus'.\nTry 'tav1 --help'.\n");
    EXPECT_TRUE(out.isEmpty());
    // Without --batch, --size is refused before any window is made (no display is needed).
    EXPECT_EQ(runProgram({"--size", "10x10"}, &out, &err), 2);
    EXPECT_EQ(err, "tav1: --size works only with --batch\nTry 'tav1 --help'.\n");
}
