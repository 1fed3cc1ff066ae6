#include "documents/ui/FileDialogs.h"

#include "documents/FileProperties.h"
#include "language/InterfaceTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace vc {

namespace {

// Programs offered when they are installed; the user may type any other.
const char* const kKnownPrograms[] = {
    "xdg-open", "libreoffice", "okular",   "evince", "eog",         "gimp",
    "vlc",      "firefox",     "chromium", "kate",   "gedit",       "mousepad",
    "xed",      "gvim",        "ghex",     "okteta", "wxHexEditor",
};

QLabel* selectableLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

OpenWithDialog::OpenWithDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OpenWithDialog"));
    setWindowTitle(tx(TextOpenWith));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectableLabel(path));

    auto* row = new QHBoxLayout;
    m_program = new QComboBox;
    m_program->setObjectName(QStringLiteral("ProgramBox"));
    m_program->setEditable(true);
    m_program->setMinimumContentsLength(40);
    for (const char* name : kKnownPrograms) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            m_program->addItem(found);
    }
    row->addWidget(m_program, 1);
    auto* browseButton = new QPushButton(QStringLiteral("..."));
    connect(browseButton, &QPushButton::clicked, this, &OpenWithDialog::browse);
    row->addWidget(browseButton);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString OpenWithDialog::programLine() const {
    return m_program->currentText().trimmed();
}

void OpenWithDialog::browse() {
    const QString program =
        QFileDialog::getOpenFileName(this, tx(TextOpenWith), QStringLiteral("/usr/bin"));
    if (!program.isEmpty())
        m_program->setEditText(program);
}

bool startProgramWith(const QString& programLine, const QString& path, QString* error) {
    QStringList arguments = QProcess::splitCommand(programLine);
    if (arguments.isEmpty()) {
        *error = QStringLiteral("no program given");
        return false;
    }
    const QString program = arguments.takeFirst();
    arguments << path;
    if (!QProcess::startDetached(program, arguments)) {
        *error = QStringLiteral("cannot start ") + program;
        return false;
    }
    return true;
}

FilePropertiesDialog::FilePropertiesDialog(const FileProperties& p, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FilePropertiesDialog"));
    setWindowTitle(tx(TextProperties) + QStringLiteral(" - ") + p.name);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const QString size =
        p.size < 0 ? QString() : QLocale().toString(p.size) + QStringLiteral(" bytes");
    const QString sha = p.sha256.isEmpty() ? p.readError : p.sha256;
    const struct {
        const char* caption;
        QString value;
    } rows[] = {
        {"Name", p.name},         {"Path", p.path},
        {"Size", size},           {"Type", p.type},
        {"Created", p.created},   {"Modified", p.modified},
        {"Accessed", p.accessed}, {"Permissions", p.permissions},
        {"SHA-256", sha},
    };
    for (const auto& r : rows) {
        QLabel* value = selectableLabel(r.value);
        value->setObjectName(QString::fromLatin1(r.caption));
        form->addRow(QString::fromLatin1(r.caption) + QLatin1Char(':'), value);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace vc
