#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// Runs the built vellacord program headless (TZ=UTC, no display) and
// collects its exit status and output.
struct ProgramRun {
    int status = -1; // -1: did not finish in time
    QByteArray out;
    QByteArray err;
};

inline ProgramRun runProgram(const QStringList& arguments, int timeoutMs = 120000,
                             const QList<QPair<QString, QString>>& extraEnvironment = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    // A locale that is not UTF-8, so that standard output is written in the
    // table's own encoding whatever the machine's locale (a test asks for
    // UTF-8 through extraEnvironment).
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    // No display of any kind: a command that wants a window must say so.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    for (const auto& [name, value] : extraEnvironment)
        env.insert(name, value);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VC_BINARY_PATH), arguments);
    ProgramRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
