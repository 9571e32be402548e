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
// Where the assets resource keeps the icon's drawings, one raw-pixel file a size, named
// icon-<side>.pixels.
const char* const iconResourceDir = ":/icons";
const QLatin1String iconPrefix("icon-");
const QLatin1String iconSuffix(".pixels");

// The icon's drawings, each shown in place from the program's resources when a pixmap is
// asked of it. QIcon::addFile would decode every file at start-up, after asking every image
// plug-in for its format, though most runs never draw the icon; X11 asks for every size at
// start-up.
class RenderingsEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int index = closest(size);
        if (index < 0 || size.isEmpty()) {
            return {};
        }
        const Rendering& rendering = renderings_[index];
        QImage stored = readRawPixels(rendering.path, rendering.size, QImage::Format_ARGB32);
        QPixmap pixmap;
        // A pixmap never exceeds the size asked for. Brought down premultiplied, so that
        // transparent pixels lend no colour to the edges; otherwise kept as stored,
        // unpremultiplied, which is what X11 is handed for every size at start-up.
        if (stored.width() > size.width() || stored.height() > size.height()) {
            pixmap = QPixmap::fromImage(
                stored.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                    .scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        } else {
            pixmap = QPixmap::fromImage(std::move(stored), Qt::NoFormatConversion);
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
    };

    // Finds the drawings and takes each one's size from its name, once, and orders them from
    // small to large.
    void readSizes()
    {
        if (sizesRead_) {
            return;
        }
        sizesRead_ = true;
        // Matched by hand: a name filter would compile a regular expression, which maps the
        // regular-expression library's 0.4 MiB into memory.
        const QDir dir(QString::fromLatin1(iconResourceDir));
        for (const QString& name : dir.entryList(QDir::Files)) {
            if (!name.startsWith(iconPrefix) || !name.endsWith(iconSuffix)) {
                continue;
            }
            bool isNumber = false;
            const int side =
                QStringView(name)
                    .sliced(iconPrefix.size(), name.size() - iconPrefix.size() - iconSuffix.size())
                    .toInt(&isNumber);
            if (isNumber && side > 0) {
                renderings_.append({QSize(side, side), dir.filePath(name)});
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

    bool sizesRead_ = false;
    QList<Rendering> renderings_;
};
} // namespace

QIcon applicationIcon()
{
    return QIcon(new RenderingsEngine);
}

} // namespace quorvel
