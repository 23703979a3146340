#include "CLinkStatic.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>

#include "UserMessage.h"
#include "platform/ShellOpen.h"

namespace {

// Shell error codes used when the desktop's helpers fail.
constexpr int ErrorFileNotFound = 2;
constexpr int ErrorNoAssociation = 31;

int ShellCodeFor(const platform::ToolResult& result) {
    if (result.ok) return CLinkStatic::OpenSucceeded;
    if (result.missing) return ErrorNoAssociation;
    switch (result.exitCode) {
    case 2:
        return ErrorFileNotFound;  // the address does not exist
    case 3:
        return ErrorNoAssociation;  // no tool to open it
    default:
        return ErrorNoAssociation;
    }
}

// The command line of a desktop entry ("firefox.desktop"), with its field
// codes for files and addresses turned into "%1"; empty when not found.
std::string DesktopEntryCommand(const std::string& desktopFile) {
    const QString path =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QString::fromStdString(desktopFile));
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool inEntry = false;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QLatin1String("Exec="))) continue;
        QString command = line.mid(5);
        for (const char* code : {"%u", "%U", "%f", "%F"})
            command.replace(QLatin1String(code), QLatin1String("\"%1\""));
        for (const char* code : {"%i", "%c", "%k"}) command.remove(QLatin1String(code));
        return command.toStdString();
    }
    return {};
}

}  // namespace

CLinkStatic::CLinkStatic(QWidget* parent) : QLabel(parent) {
    hoverColour = QApplication::palette().color(QPalette::Highlight);
    setMouseTracking(true);
}

void CLinkStatic::PreSubclassWindow() {
    if (address.isEmpty()) address = text();
    if (text().isEmpty()) setText(address);
    setTextFormat(Qt::PlainText);
    QFont linkFont = font();
    linkFont.setUnderline(underline);
    setFont(linkFont);
    FitToText();
    LoadLinkCursor();
    setToolTip(address);
    ApplyColour();
}

void CLinkStatic::FitToText() {
    if (!fitToText) return;
    QRect r = geometry();
    QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    const int textHeight = metrics.height();
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignVCenter) {
        int shrink = (r.height() - textHeight) / 2;
        r.adjust(0, shrink, 0, -shrink);
    } else {
        r.setHeight(textHeight);
    }
    if (align & Qt::AlignHCenter) {
        int shrink = (r.width() - textWidth) / 2;
        r.adjust(shrink, 0, -shrink, 0);
    } else if (align & Qt::AlignRight) {
        r.setLeft(r.right() + 1 - textWidth);
    } else {
        r.setWidth(textWidth);
    }
    setGeometry(r);
}

void CLinkStatic::LoadLinkCursor() {
    if (cursorLoaded) return;
    setCursor(Qt::PointingHandCursor);
    cursorLoaded = true;
}

QColor CLinkStatic::TextColour() const {
    if (pointerOver) return hoverColour;
    return visited ? visitedColour : linkColour;
}

void CLinkStatic::ApplyColour() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, TextColour());
    setPalette(p);
    repaint();
}

void CLinkStatic::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (!pointerOver) {
        pointerOver = true;
        ApplyColour();
    }
}

void CLinkStatic::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (pointerOver) {
        pointerOver = false;
        ApplyColour();
    }
}

void CLinkStatic::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) FollowLink();
}

void CLinkStatic::FollowLink() {
    int result = OpenLink(address.toStdString());
    if (result > 32) {
        MarkVisited(true);
    } else {
        QApplication::beep();
        ShowOpenError(result);
    }
}

void CLinkStatic::MarkVisited(bool flag) {
    visited = flag;
    ApplyColour();
}

int CLinkStatic::OpenLink(const std::string& link) {
    platform::ToolResult opened = platform::OpenUrl(link);
    if (opened.ok) return OpenSucceeded;
    const int shellResult = ShellCodeFor(opened);

    // Fall back on the default application for web pages.
    platform::ToolResult handler = platform::DefaultApplicationFor("text/html");
    if (!handler.ok || handler.output.empty()) return shellResult;
    std::string command = DesktopEntryCommand(handler.output);
    if (command.empty()) return shellResult;
    QStringList parts = QProcess::splitCommand(QString::fromStdString(BuildCommandLine(command, link)));
    if (parts.isEmpty()) return ErrorFileNotFound;
    QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts) ? OpenSucceeded : ErrorFileNotFound;
}

std::string CLinkStatic::BuildCommandLine(const std::string& commandLine, const std::string& address) {
    std::string line = commandLine;
    size_t cut = line.find("\"%1\"");
    if (cut == std::string::npos) cut = line.find("%1");
    if (cut != std::string::npos) line.erase(cut);
    return line + " " + address;
}

QString CLinkStatic::OpenErrorText(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("The operating system is out\nof memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied\naccess to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred. ");
    case 27:
        return QStringLiteral("The filename association is\nincomplete or invalid.");
    case 28:
        return QStringLiteral("The DDE transaction could not\nbe completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral(
            "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
            "processed.");
    case 31:
        return QStringLiteral("There is no application associated\nwith the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
    }
}

void CLinkStatic::ShowOpenError(int code) {
    ShowUserMessage(window(), QMessageBox::Warning,
                    QStringLiteral("Unable to open hyperlink:\n\n") + OpenErrorText(code));
}
