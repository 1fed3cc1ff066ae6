#include "thiscomputer/ShellHistory.h"

#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"
#include "thiscomputer/DesktopFiles.h"
#include "windows/WindowsColumns.h"

namespace vc {

namespace {

constexpr char kZshMeta = char(0x83);

// Digits only, as a number of seconds; nullopt otherwise.
std::optional<qint64> secondsOf(QByteArrayView text) {
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    return text.toLongLong();
}

} // namespace

QByteArray unmetafyZsh(const QByteArray& text) {
    if (!text.contains(kZshMeta))
        return text;
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == kZshMeta && i + 1 < text.size())
            out += char(text[++i] ^ 0x20);
        else
            out += text[i];
    }
    return out;
}

QByteArray unescapeFish(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '\\' || next == 'n') {
                out += next == 'n' ? '\n' : '\\';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

void ShellHistoryParser::add(ShellCommand command) {
    if (m_commands.size() < kMaxShellCommands)
        m_commands.append(std::move(command));
}

void ShellHistoryParser::line(const QByteArray& line) {
    switch (m_shell) {
    case Shell::Bash:
        bashLine(line);
        break;
    case Shell::Zsh:
        zshLine(line);
        break;
    case Shell::Fish:
        fishLine(line);
        break;
    }
}

void ShellHistoryParser::bashLine(const QByteArray& line) {
    // With HISTTIMEFORMAT set, bash writes "#<seconds>" before each command.
    if (line.startsWith('#'))
        if (const std::optional<qint64> seconds = secondsOf(QByteArrayView(line).sliced(1))) {
            m_pendingTime = seconds;
            return;
        }
    if (line.trimmed().isEmpty()) {
        m_pendingTime.reset();
        return;
    }
    add({line, m_pendingTime, std::nullopt});
    m_pendingTime.reset();
}

void ShellHistoryParser::zshLine(const QByteArray& raw) {
    const QByteArray line = unmetafyZsh(raw);
    if (m_continues && !m_commands.isEmpty()) {
        // A multi-line command: each line but the last ends in a backslash.
        QByteArray& text = m_commands.last().text;
        text += '\n';
        m_continues = line.endsWith('\\');
        text += m_continues ? line.chopped(1) : line;
        return;
    }
    m_continues = false;
    ShellCommand command;
    QByteArray text = line;
    // The extended format: ": <start>:<elapsed>;command".
    if (line.startsWith(": ")) {
        const qsizetype colon = line.indexOf(':', 2);
        const qsizetype semicolon = line.indexOf(';', 2);
        if (colon > 2 && semicolon > colon) {
            const std::optional<qint64> start =
                secondsOf(QByteArrayView(line).sliced(2, colon - 2).trimmed());
            const std::optional<qint64> elapsed =
                secondsOf(QByteArrayView(line).sliced(colon + 1, semicolon - colon - 1));
            if (start) {
                command.seconds = start;
                command.duration = elapsed;
                text = line.mid(semicolon + 1);
            }
        }
    }
    if (text.isEmpty() && !command.seconds)
        return;
    m_continues = text.endsWith('\\');
    command.text = m_continues ? text.chopped(1) : text;
    add(std::move(command));
}

void ShellHistoryParser::fishLine(const QByteArray& line) {
    // "- cmd: TEXT", then "  when: SECONDS" and "  paths:" with its items.
    if (line.startsWith("- cmd:")) {
        if (m_fish)
            add(*std::exchange(m_fish, std::nullopt));
        ShellCommand command;
        command.text = unescapeFish(line.mid(6).trimmed());
        m_fish = command;
        return;
    }
    if (!m_fish)
        return;
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith("when:"))
        m_fish->seconds = secondsOf(QByteArrayView(trimmed).sliced(5).trimmed());
}

QList<ShellCommand> ShellHistoryParser::finish() {
    if (m_fish)
        add(*std::exchange(m_fish, std::nullopt));
    m_pendingTime.reset();
    m_continues = false;
    return std::exchange(m_commands, {});
}

WindowsLoadResult loadShellHistories(const UserProfile& home, const LoadContext& context,
                                     RowSink& sink) {
    static const struct {
        const char* place;
        Shell shell;
        const char* name;
        const char* timeSource;
    } kHistories[] = {
        {".bash_history", Shell::Bash, "bash", "#<seconds> (HISTTIMEFORMAT)"},
        {".zsh_history", Shell::Zsh, "zsh", "EXTENDED_HISTORY"},
        {".histfile", Shell::Zsh, "zsh", "EXTENDED_HISTORY"},
        {".local/share/fish/fish_history", Shell::Fish, "fish", "when"},
    };
    const EvidenceFiles& files = home.files();
    const QByteArray folder = EvidenceFiles::pathBytes(home.folder());
    int failures = 0;
    WindowsLoadResult result =
        loadOneInput(WindowsTable::Typed, context, sink, [&](WindowsRowWriter& writer) {
            int read = 0;
            for (const auto& history : kHistories) {
                const QByteArray path = joinPath(folder, QByteArray(history.place));
                if (!files.isFile(path))
                    continue;
                ShellHistoryParser parser(history.shell);
                QString error;
                const bool ok = readLines(
                    files, path, kMaxShellLine,
                    [&parser](const QByteArray& line) {
                        parser.line(line);
                        return true;
                    },
                    &error);
                ++read;
                if (!ok) {
                    ++failures;
                    if (context.report)
                        context.report->error(windowsReport(TextShellHistoryUnreadable,
                                                            EvidenceFiles::pathText(path), error));
                }
                const QList<ShellCommand> commands = parser.finish();
                const QString file = EvidenceFiles::pathText(path);
                for (qsizetype i = 0; i < commands.size(); ++i) {
                    const ShellCommand& command = commands[i];
                    writer.setText(kTypedText, QString::fromUtf8(command.text));
                    writer.setText(kTypedSource, QString::fromLatin1(history.name));
                    writer.setNumber(kTypedMruPosition, commands.size() - 1 - i);
                    if (command.seconds) {
                        writer.setTime(kTypedTime, TimeValue{TimeKind::UnixSeconds,
                                                             TimeRule::Runtime, *command.seconds});
                        writer.setText(kTypedTimeSource, QString::fromLatin1(history.timeSource));
                    }
                    if (command.duration)
                        writer.addNote(tx(TextActiveDuration) + QStringLiteral(": ") +
                                       durationText(quint64(*command.duration)));
                    writer.setText(kTypedSourceFile, file);
                    writer.write();
                }
            }
            return read;
        });
    result.failures = failures;
    return result;
}

} // namespace vc
