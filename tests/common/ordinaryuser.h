#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

// Permissions stop everyone but root. Where the tests run as root (as CI does), a test about
// permissions calls this first: it runs the test again as the ordinary user "nobody" and takes
// that run's outcome, and the caller returns when it answers true. Header-only, so that the
// platform tests, which link no fixtures, can use it too.
inline bool rerunAsOrdinaryUser()
{
    if (geteuid() != 0) {
        return false;
    }
    constexpr uid_t kNobody = 65534;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());

    // The user gets a home of its own, with a copy of this program: the build folder need not
    // be open to other users.
    QTemporaryDir home;
    const QString program = home.filePath(QStringLiteral("tests"));
    if (!home.isValid() || !QFile::copy(QCoreApplication::applicationFilePath(), program)
        || chown(QFile::encodeName(home.path()).constData(), kNobody, kNobody) != 0) {
        ADD_FAILURE() << "cannot prepare a folder for the user nobody";
        return true;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "TMPDIR", "XDG_RUNTIME_DIR"}) {
        environment.insert(QLatin1String(name), home.path());
    }
    // The leak checker's suppressions, when it has them, must be readable by that user too.
    QString leaks = environment.value(QStringLiteral("LSAN_OPTIONS"));
    static const QRegularExpression suppressions(QStringLiteral("suppressions=([^:]+)"));
    const QRegularExpressionMatch match = suppressions.match(leaks);
    if (match.hasMatch()) {
        const QString copy = home.filePath(QStringLiteral("lsan.supp"));
        QFile::copy(match.captured(1), copy);
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           leaks.replace(match.capturedStart(1), match.capturedLength(1), copy));
    }

    QProcess run;
    run.setProcessEnvironment(environment);
    run.setWorkingDirectory(home.path());
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("setpriv"),
              {QStringLiteral("--reuid=%1").arg(kNobody), QStringLiteral("--regid=%1").arg(kNobody),
               QStringLiteral("--clear-groups"), program, filter});
    if (!run.waitForStarted()) {
        ADD_FAILURE() << "setpriv: " << run.errorString().toStdString();
        return true;
    }
    const bool finished = run.waitForFinished(120000);
    if (!finished) {
        run.kill();
        run.waitForFinished();
    }
    const QByteArray output = run.readAll();
    EXPECT_TRUE(finished && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0
                && output.contains("[  PASSED  ] 1 test."))
        << "as the user nobody:\n" << output.toStdString();
    return true;
}
