#include "window/appicon.h"

#include "window/pictureresource.h"

#include <QApplication>
#include <QDir>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <utility>

namespace quorvel {

namespace {
// Where the assets resource keeps the icon's renderings, one file a size.
const char* const iconResourceDir = ":/icons";

// The icon's renderings, each decoded the first time a pixmap is asked of it. QIcon::addFile
// decodes every file at start-up, after asking every image plug-in for its format; most runs
// never draw the icon. X11 hands every size to the window manager twice at start-up, so a
// decoded rendering is kept.
class RenderingsEngine : public QIconEngine {
public:
    explicit RenderingsEngine(QStringList paths) : paths_(std::move(paths)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int index = closest(size);
        if (index < 0 || size.isEmpty()) {
            return {};
        }
        Rendering& rendering = renderings_[index];
        if (rendering.decoded.isNull()) {
            rendering.decoded = QPixmap::fromImage(readPng(rendering.path));
        }
        QPixmap pixmap = rendering.decoded;
        // A pixmap never exceeds the size asked for.
        if (pixmap.width() > size.width() || pixmap.height() > size.height()) {
            pixmap = pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            const QStyleOption option;
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatio();
        QPixmap drawn = pixmap(rect.size() * scale, mode, state);
        drawn.setDevicePixelRatio(scale);
        const QSize shown = drawn.deviceIndependentSize().toSize();
        painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, shown, rect),
                            drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int index = closest(size);
        if (index < 0) {
            return {};
        }
        const QSize stored = renderings_[index].size;
        return stored.scaled(size, Qt::KeepAspectRatio).boundedTo(stored);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        readSizes();
        QList<QSize> sizes;
        for (const Rendering& rendering : std::as_const(renderings_)) {
            sizes.append(rendering.size);
        }
        return sizes;
    }

    bool isNull() override
    {
        readSizes();
        return renderings_.isEmpty();
    }
    QString key() const override { return QStringLiteral("quorvel.renderings"); }
    QIconEngine* clone() const override { return new RenderingsEngine(*this); }

private:
    struct Rendering {
        QSize size;
        QString path;
        QPixmap decoded;
    };

    // Reads each file's header, once, and orders the renderings from small to large.
    void readSizes()
    {
        if (sizesRead_) {
            return;
        }
        sizesRead_ = true;
        for (const QString& path : std::as_const(paths_)) {
            const QSize size = pngSize(path);
            if (size.isValid()) {
                renderings_.append({size, path, {}});
            }
        }
        std::sort(
            renderings_.begin(), renderings_.end(),
            [](const Rendering& a, const Rendering& b) { return a.size.width() < b.size.width(); });
    }

    // The smallest rendering that covers the size, else the largest; -1 if there is none.
    int closest(const QSize& size)
    {
        readSizes();
        for (int index = 0; index < renderings_.size(); ++index) {
            const QSize stored = renderings_[index].size;
            if (stored.width() >= size.width() && stored.height() >= size.height()) {
                return index;
            }
        }
        return int(renderings_.size()) - 1;
    }

    QStringList paths_;
    bool sizesRead_ = false;
    QList<Rendering> renderings_;
};
} // namespace

QIcon applicationIcon()
{
    QStringList paths;
    const QDir dir(QString::fromUtf8(iconResourceDir));
    for (const QString& name : dir.entryList(QDir::Files)) {
        paths.append(dir.filePath(name));
    }
    return QIcon(new RenderingsEngine(std::move(paths)));
}

} // namespace quorvel
