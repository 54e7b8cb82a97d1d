// make-icons: writes a folder of service icons named after the services, the way people
// collect them ("BBC One.jpg"), for the Icon page to rename and show. Each picture is
// drawn here: the channel's name on a colour of its own.
//
//   make-icons <tv_prog.xml> <output folder> [--count N] [--gap N] [--size WxH]
//
// The first N services (default 45) get a picture, except every gap-th one (default 8;
// 0 for none), which is left without, as real collections have holes. Names that some
// file system cannot hold are left out too.

#include <QColor>
#include <QCryptographicHash>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "database/working_copy.h"
#include "pages/icons/icon_name.h"
#include "xml/xml_doc.h"

namespace {

struct Options {
    const char* progFile = nullptr;
    const char* outFolder = nullptr;
    int count = 45;
    int gap = 8;
    int width = 160;
    int height = 100;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: make-icons <tv_prog.xml> <output folder> [--count N] [--gap N]"
                 " [--size WxH]\n");
}

bool ReadOptions(int argc, char** argv, Options& options) {
    std::vector<const char*> positional;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--count") == 0 && hasValue) {
            options.count = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--gap") == 0 && hasValue) {
            options.gap = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--size") == 0 && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2) {
                return false;
            }
        } else if (argv[i][0] == '-') {
            return false;
        } else {
            positional.push_back(argv[i]);
        }
    }
    if (positional.size() != 2 || options.count < 0 || options.gap < 0 || options.width < 16 ||
        options.height < 16) {
        return false;
    }
    options.progFile = positional[0];
    options.outFolder = positional[1];
    return true;
}

std::vector<QString> ServiceNames(const char* progFile) {
    vesko::CXmlDoc doc;
    std::vector<QString> names;
    if (!doc.Load(progFile)) {
        return names;
    }
    for (const int record : vesko::RootChildren(doc, u"prog")) {
        names.push_back(QString::fromStdU16String(doc.GetAttributeOf(record, u"name")));
    }
    return names;
}

bool IsPortableName(const QString& name) {
    return !name.contains(QRegularExpression(QStringLiteral("[<>:\"/\\|?*]"))) &&
           !name.endsWith(QLatin1Char(' ')) && !name.endsWith(QLatin1Char('.'));
}

// A colour of the channel's own, the same on every run.
QColor ChannelColour(const QString& name) {
    const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5);
    const int hue =
        (static_cast<unsigned char>(hash[0]) * 256 + static_cast<unsigned char>(hash[1])) % 360;
    return QColor::fromHsv(hue, 170 + static_cast<unsigned char>(hash[2]) % 60, 150);
}

QImage DrawIcon(const QString& name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = ChannelColour(name);
    QLinearGradient back(0, 0, width, height);
    back.setColorAt(0, colour.lighter(135));
    back.setColorAt(1, colour.darker(140));
    p.fillRect(image.rect(), back);
    // A light band across, like the sheen of a logo card.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawEllipse(QRectF(-width * 0.3, -height * 0.9, width * 1.6, height * 1.3));

    QFont font(QStringLiteral("Sans"));
    font.setBold(true);
    font.setPixelSize(height * 30 / 100);
    const QRect textBox = image.rect().adjusted(width / 12, height / 10, -width / 12, -height / 10);
    // The largest size at which the name fits, on up to two lines.
    while (font.pixelSize() > 8) {
        const QRect needed =
            QFontMetrics(font).boundingRect(textBox, Qt::AlignCenter | Qt::TextWordWrap, name);
        if (needed.width() <= textBox.width() && needed.height() <= textBox.height()) {
            break;
        }
        font.setPixelSize(font.pixelSize() - 1);
    }
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(textBox.translated(1, 2), Qt::AlignCenter | Qt::TextWordWrap, name);
    p.setPen(Qt::white);
    p.drawText(textBox, Qt::AlignCenter | Qt::TextWordWrap, name);
    p.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        Usage();
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const std::vector<QString> names = ServiceNames(options.progFile);
    if (names.empty()) {
        std::fprintf(stderr, "no services in %s\n", options.progFile);
        return 1;
    }
    QDir out(QString::fromLocal8Bit(options.outFolder));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", options.outFolder);
        return 1;
    }
    int written = 0;
    for (int n = 0; n < options.count && n < static_cast<int>(names.size()); ++n) {
        const QString& name = names[static_cast<std::size_t>(n)];
        // The editor never builds a path from a name that is not a plain file name; and
        // a folder meant to be copied anywhere holds no name some file system refuses.
        if ((options.gap > 0 && n % options.gap == options.gap - 1) ||
            !vesko::IsPlainFileName(name.toStdU16String()) || !IsPortableName(name)) {
            continue;
        }
        const QString path = out.filePath(name + QStringLiteral(".jpg"));
        if (!DrawIcon(name, options.width, options.height).save(path, "JPG", 88)) {
            std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
        ++written;
    }
    std::printf("%d icons in %s\n", written, options.outFolder);
    return 0;
}
