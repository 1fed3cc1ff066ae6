#include "app/ScreenTexts.h"

#include "app/MainWindow.h"
#include "app/RowFocus.h"
#include "language/InterfaceTexts.h"
#include "preview/ui/PaneActions.h"

namespace vc {

namespace {

// The part written anew: the longest text of `before` it starts with, when
// a separator or its end follows, replaced by the same text now.
bool startsWithText(const QString& part, const QString& old) {
    if (old.isEmpty() || !part.startsWith(old))
        return false;
    if (part.size() == old.size())
        return true;
    const QChar next = part.at(old.size());
    return next == QLatin1Char(':') || next == QLatin1Char(' ') || next == QLatin1Char('.');
}

QString retranslatedPart(const QString& part, const QStringList& before, int known) {
    if (known >= 0 && known < before.size() && startsWithText(part, before.at(known)))
        return tx(known) + part.mid(before.at(known).size());
    int best = -1;
    qsizetype bestLength = 0;
    for (int k = 0; k < before.size() && k < interfaceTextCount(); ++k) {
        const QString& old = before.at(k);
        if (old.size() > bestLength && startsWithText(part, old)) {
            best = k;
            bestLength = old.size();
        }
    }
    return best < 0 ? part : tx(best) + part.mid(bestLength);
}

void retranslateLabel(QLabel* label, const QStringList& before, int known = -1) {
    if (!label || label->text().isEmpty())
        return;
    const bool hintIsText = label->toolTip() == label->text();
    label->setText(retranslatedText(label->text(), before, known));
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

QString retranslatedText(const QString& shown, const QStringList& before, int known) {
    const auto separator = [](const QString& warning) {
        return QStringLiteral("  ") + warning + QStringLiteral(": ");
    };
    const QString oldSeparator = separator(before.value(TextWarning));
    QStringList parts =
        before.value(TextWarning).isEmpty() ? QStringList{shown} : shown.split(oldSeparator);
    for (int i = 0; i < parts.size(); ++i)
        parts[i] = retranslatedPart(parts[i], before, i == 0 ? known : -1);
    return parts.join(separator(tx(TextWarning)));
}

void RetranslateScreenTexts(TForm1& form, const QStringList& before) {
    for (int i = 0; i < kTableTabCount; ++i) {
        TableTab& t = form.tab(TabId(i));
        retranslateLabel(t.countLabel, before, sourceAt(i).countText);
        if (!t.conditions.isEmpty())
            form.setConditionText(TabId(i), retranslatedText(t.conditions, before));
    }
    retranslateLabel(form.widgets().ieC_FilesLabel, before, TextCookieFiles);
    // The status bar names what is open, and says when its folders are
    // where Windows usually puts them: "... (folders guessed)".
    const QString guessed = before.value(TextFoldersGuessed);
    QString status = form.widgets().StatusPanel0->text();
    if (!guessed.isEmpty() && status.endsWith(QStringLiteral(" (") + guessed + QLatin1Char(')'))) {
        status.chop(guessed.size() + 1);
        form.widgets().StatusPanel0->setText(status + tx(TextFoldersGuessed) + QLatin1Char(')'));
    }
    // The panes are written from their rows again, in the new language.
    for (int i = 0; i < kAllTableTabCount; ++i) {
        TableTab& t = form.tab(TabId(i));
        const int row = focusedRow(t);
        if (row >= 0 && t.handlerAttached)
            ShowRowInPane(form, TabId(i), row);
    }
}

} // namespace vc
