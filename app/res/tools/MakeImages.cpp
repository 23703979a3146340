// Draws the program's pictures: the toolbar strip (18 images of 16 x 15
// pixels) and the About box picture (400 x 150). Run once after changing the
// drawing; the PNG files it writes are kept in app/res.
//
//   MakeImages <output folder>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Ink(0, 0, 0);
const QColor Blue(0, 0, 160);

void Letters(QPainter& p, int index, const QString& text, const QColor& colour) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 10 : 13);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(index * 16, 0, 16, 15), Qt::AlignCenter, text);
}

void Scissors(QPainter& p, int x) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(x + 5, 1, x + 9, 9);
    p.drawLine(x + 10, 1, x + 6, 9);
    p.drawEllipse(QRectF(x + 2.5, 9.5, 4, 4));
    p.drawEllipse(QRectF(x + 8.5, 9.5, 4, 4));
}

void Page(QPainter& p, QRectF r) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (double y = r.top() + 2.5; y < r.bottom() - 1; y += 2)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Copy(QPainter& p, int x) {
    Page(p, QRectF(x + 1.5, 1.5, 8, 9));
    Page(p, QRectF(x + 6.5, 4.5, 8, 9));
}

void Paste(QPainter& p, int x) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(170, 120, 50));
    p.drawRect(QRectF(x + 1.5, 2.5, 9, 11));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(x + 4.5, 1.5, 3, 2));
    Page(p, QRectF(x + 6.5, 5.5, 8, 8));
}

void Printer(QPainter& p, int x) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x + 4.5, 1.5, 7, 5));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRectF(x + 1.5, 6.5, 13, 5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x + 4.5, 10.5, 7, 3));
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(x + 12, 8);
}

QImage Toolbar() {
    QImage strip(18 * 16, 15, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Letters(p, 0, QStringLiteral("P"), Blue);
    // Images 1 and 2: blank faces, with a faint outline so that the place of
    // a variant button can be seen while it has no letter.
    p.setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) p.drawRect(QRectF(i * 16 + 2.5, 1.5, 10, 11));
    Scissors(p, 3 * 16);
    Copy(p, 4 * 16);
    Paste(p, 5 * 16);
    Printer(p, 6 * 16);
    const char* labels[] = {"A", "E", "O", "I", "Y", "OI", "U", "IE"};
    for (int i = 0; i < 8; ++i) Letters(p, 7 + i, QString::fromLatin1(labels[i]), Ink);
    return strip;
}

QImage About() {
    QImage image(400, 150, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(32, 64, 160));
    sky.setColorAt(1, QColor(120, 170, 230));
    p.fillRect(image.rect(), sky);
    // A stylised open book.
    QPainterPath left, right;
    left.moveTo(40, 40);
    left.cubicTo(70, 30, 100, 32, 120, 44);
    left.lineTo(120, 120);
    left.cubicTo(100, 108, 70, 106, 40, 116);
    left.closeSubpath();
    right.moveTo(200, 40);
    right.cubicTo(170, 30, 140, 32, 120, 44);
    right.lineTo(120, 120);
    right.cubicTo(140, 108, 170, 106, 200, 116);
    right.closeSubpath();
    p.setPen(QPen(QColor(20, 30, 80), 2));
    p.setBrush(QColor(250, 248, 240));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int i = 0; i < 6; ++i) {
        p.drawLine(52, 56 + i * 9, 110, 58 + i * 9);
        p.drawLine(130, 58 + i * 9, 188, 56 + i * 9);
    }
    QFont title(QStringLiteral("Liberation Sans"));
    title.setBold(true);
    title.setPixelSize(46);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(215, 28, 180, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Plimo"));
    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.drawText(QRect(218, 86, 180, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("French verbs,\nevery tense"));
    return image;
}

// The program's own window icon, 32 x 32: an open book on blue.
QImage Icon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 64, 160));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    QPainterPath left, right;
    left.moveTo(4, 9);
    left.cubicTo(8, 7, 12, 7, 16, 10);
    left.lineTo(16, 26);
    left.cubicTo(12, 23, 8, 23, 4, 25);
    left.closeSubpath();
    right.moveTo(28, 9);
    right.cubicTo(24, 7, 20, 7, 16, 10);
    right.lineTo(16, 26);
    right.cubicTo(20, 23, 24, 23, 28, 25);
    right.closeSubpath();
    p.setPen(QPen(QColor(20, 30, 80), 1));
    p.setBrush(QColor(250, 248, 240));
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(0, 0, 255), 1.2));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(7, 13 + i * 3.5), QPointF(14, 14 + i * 3.5));
        p.drawLine(QPointF(18, 14 + i * 3.5), QPointF(25, 13 + i * 3.5));
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = Toolbar().save(folder + QStringLiteral("/toolbar.png")) &&
              About().save(folder + QStringLiteral("/about.png")) &&
              Icon().save(folder + QStringLiteral("/plimo.png"));
    return ok ? 0 : 1;
}
