#pragma once

#include "platform/LoadContext.h"
#include "windows/WindowsRowWriter.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace vc {

class RowSink;
class UserProfile;

enum class Shell { Bash, Zsh, Fish };

// One command of a shell's history, in the file's order.
struct ShellCommand {
    QByteArray text; // the command as typed (UTF-8), lines of a multi-line one joined by "\n"
    std::optional<qint64> seconds;  // when it was run (seconds since 1970), where recorded
    std::optional<qint64> duration; // zsh's extended history: how long it ran, in seconds
};

// Parses a history line by line; each line is given as read (without its
// line break), and finish() ends the file. At most kMaxShellCommands are
// kept.
class ShellHistoryParser {
public:
    explicit ShellHistoryParser(Shell shell) : m_shell(shell) {}
    void line(const QByteArray& line);
    QList<ShellCommand> finish();

private:
    void add(ShellCommand command);
    void bashLine(const QByteArray& line);
    void zshLine(const QByteArray& line);
    void fishLine(const QByteArray& line);

    Shell m_shell;
    QList<ShellCommand> m_commands;
    std::optional<qint64> m_pendingTime; // bash: the "#<seconds>" line before a command
    bool m_continues = false;            // zsh: the command goes on in the next line
    std::optional<ShellCommand> m_fish;  // fish: the entry being read
};
constexpr int kMaxShellCommands = 2000000;
// A history line longer than this is cut.
constexpr qsizetype kMaxShellLine = 256 * 1024;

// zsh keeps bytes 0x83 to 0xA2 "metafied": 0x83 and the byte XOR 0x20.
QByteArray unmetafyZsh(const QByteArray& text);
// fish writes a backslash as "\\" and a line break as "\n".
QByteArray unescapeFish(const QByteArray& text);

// The Typed and searched table (windows/WindowsColumns.h) of a Linux home:
// ~/.bash_history, ~/.zsh_history (and ~/.histfile), fish's
// ~/.local/share/fish/fish_history; one row per command, the most recent
// of each file at position 0, its time where the history records one.
WindowsLoadResult loadShellHistories(const UserProfile& home, const LoadContext& context,
                                     RowSink& sink);

} // namespace vc
