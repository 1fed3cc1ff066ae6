#include "app/ScreenTexts.h"

#include "app/MainWindow.h"
#include "app/RowFocus.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/PaneActions.h"

namespace vc {

namespace {

// The part written anew: the longest text of `before` it starts with, when
// a separator or its end follows, replaced by the same text now.
QString retranslatedPart(const QString& part, const QStringList& before) {
    int best = -1;
    qsizetype bestLength = 0;
    for (int k = 0; k < before.size() && k < interfaceTextCount(); ++k) {
        const QString& old = before.at(k);
        if (old.size() <= bestLength || !part.startsWith(old))
            continue;
        if (part.size() > old.size()) {
            const QChar next = part.at(old.size());
            if (next != QLatin1Char(':') && next != QLatin1Char(' ') && next != QLatin1Char('.'))
                continue;
        }
        best = k;
        bestLength = old.size();
    }
    return best < 0 ? part : tx(best) + part.mid(bestLength);
}

void retranslateLabel(QLabel* label, const QStringList& before) {
    if (!label || label->text().isEmpty())
        return;
    const bool hintIsText = label->toolTip() == label->text();
    label->setText(retranslatedText(label->text(), before));
    if (hintIsText)
        label->setToolTip(label->text());
}

} // namespace

QStringList interfaceTextsInUse() {
    QStringList texts;
    for (int k = 0; k < interfaceTextCount(); ++k)
        texts << tx(k);
    return texts;
}

QString retranslatedText(const QString& shown, const QStringList& before) {
    const auto separator = [](const QString& warning) {
        return QStringLiteral("  ") + warning + QStringLiteral(": ");
    };
    const QString oldSeparator = separator(before.value(TextWarning));
    QStringList parts =
        before.value(TextWarning).isEmpty() ? QStringList{shown} : shown.split(oldSeparator);
    for (QString& part : parts)
        part = retranslatedPart(part, before);
    return parts.join(separator(tx(TextWarning)));
}

void RetranslateScreenTexts(TForm1& form, const QStringList& before) {
    for (int i = 0; i < kTableTabCount; ++i) {
        TableTab& t = form.tab(TabId(i));
        retranslateLabel(t.countLabel, before);
        if (!t.conditions.isEmpty())
            form.setConditionText(TabId(i), retranslatedText(t.conditions, before));
    }
    retranslateLabel(form.ieC_FilesLabel, before);
    // The status bar names what is open, and says when its folders are
    // where Windows usually puts them: "... (folders guessed)".
    const QString guessed = before.value(TextFoldersGuessed);
    QString status = form.StatusPanel0->text();
    if (!guessed.isEmpty() && status.endsWith(QStringLiteral(" (") + guessed + QLatin1Char(')'))) {
        status.chop(guessed.size() + 1);
        form.StatusPanel0->setText(status + tx(TextFoldersGuessed) + QLatin1Char(')'));
    }
    // The panes are written from their rows again, in the new language.
    for (int i = 0; i < kTableTabCount; ++i) {
        TableTab& t = form.tab(TabId(i));
        const int row = focusedRow(t);
        if (row >= 0 && t.handlerAttached)
            ShowRowInPane(form, TabId(i), row);
    }
}

} // namespace vc
