#include "app/WindowSettings.h"

#include "app/MainWindow.h"
#include "tables/ui/ColumnFit.h"
#include "tables/ui/ColumnLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace vc {

namespace {

QSettings settings() {
    return QSettings(QStringLiteral("Ostravane"), QStringLiteral("Vellacord"));
}

const QString kGeometry = QStringLiteral("Window/Geometry");
const QString kMaximized = QStringLiteral("Window/Maximized");
const QString kLastProfile = QStringLiteral("Folders/LastProfile");
const QString kLastExport = QStringLiteral("Folders/LastExport");
const QString kLastTransfer = QStringLiteral("Folders/LastCopy");

QString columnsKey(const TableTab& tab) {
    return QStringLiteral("Columns/") + tab.view->objectName();
}

// The columns shown and their order (ColumnLayout::savedText).
QString layoutKey(const TableTab& tab) {
    return QStringLiteral("ColumnLayout/") + tab.view->objectName();
}

QString widthsText(const QList<int>& widths) {
    QStringList parts;
    for (int w : widths)
        parts << QString::number(w);
    return parts.join(QLatin1Char(','));
}

QList<int> widthsFrom(const QString& text) {
    QList<int> widths;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int w = part.toInt(&ok);
        // A hand-edited file must not make a column a mile wide.
        if (!ok || w <= 0 || w > 10000)
            return {};
        widths << w;
    }
    return widths;
}

QRect rectFrom(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok)
            return {};
    }
    return QRect(v[0], v[1], v[2], v[3]);
}

} // namespace

QRect clampedToArea(const QRect& geometry, const QRect& available) {
    QRect r = geometry;
    r.setWidth(std::min(r.width(), available.width()));
    r.setHeight(std::min(r.height(), available.height()));
    r.moveLeft(std::clamp(r.left(), available.left(), available.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), available.top(), available.bottom() - r.height() + 1));
    return r;
}

void restoreWindowSettings(TForm1& form) {
    QSettings store = settings();
    const QRect saved = rectFrom(store.value(kGeometry).toString());
    if (saved.width() > 0 && saved.height() > 0) {
        QScreen* screen = QGuiApplication::screenAt(saved.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect place = screen ? clampedToArea(saved, screen->availableGeometry()) : saved;
        form.resize(place.size());
        form.move(place.topLeft());
        if (store.value(kMaximized).toBool())
            form.setWindowState(form.windowState() | Qt::WindowMaximized);
    }
    for (int i = 0; i < kAllTableTabCount; ++i) {
        TableTab& tab = form.tab(TabId(i));
        const QList<int> widths = widthsFrom(store.value(columnsKey(tab)).toString());
        if (!widths.isEmpty())
            tab.columns->restoreWidths(widths);
        tab.columnLayout->restore(store.value(layoutKey(tab)).toString());
    }
}

void saveWindowSettings(const TForm1& form) {
    QSettings store = settings();
    // The place of the frame (what move() takes) and the size inside it
    // (what resize() takes); a maximized window keeps its normal ones.
    QRect place(form.pos(), form.size());
    if ((form.isMaximized() || form.isFullScreen()) && form.normalGeometry().isValid()) {
        const QPoint frame = form.geometry().topLeft() - form.pos();
        place = QRect(form.normalGeometry().topLeft() - frame, form.normalGeometry().size());
    }
    store.setValue(kGeometry, QStringLiteral("%1,%2,%3,%4")
                                  .arg(place.x())
                                  .arg(place.y())
                                  .arg(place.width())
                                  .arg(place.height()));
    store.setValue(kMaximized, form.isMaximized());
    for (int i = 0; i < kAllTableTabCount; ++i) {
        const TableTab& tab = form.tab(TabId(i));
        if (tab.columns->userSized())
            store.setValue(columnsKey(tab), widthsText(tab.columns->widths()));
        else
            store.remove(columnsKey(tab));
        if (tab.columnLayout->isDefault())
            store.remove(layoutKey(tab));
        else
            store.setValue(layoutKey(tab), tab.columnLayout->savedText());
    }
}

QString lastProfileFolder() {
    return settings().value(kLastProfile).toString();
}

void rememberProfileFolder(const QString& folder) {
    settings().setValue(kLastProfile, folder);
}

QString lastImageFile() {
    return settings().value(QStringLiteral("Folders/LastImage")).toString();
}

void rememberImageFile(const QString& path) {
    settings().setValue(QStringLiteral("Folders/LastImage"), path);
}

QString lastExportFolder() {
    return settings().value(kLastExport).toString();
}

void rememberExportFolder(const QString& folder) {
    settings().setValue(kLastExport, folder);
}

QString lastTransferFolder() {
    return settings().value(kLastTransfer).toString();
}

void rememberTransferFolder(const QString& folder) {
    settings().setValue(kLastTransfer, folder);
}

} // namespace vc
