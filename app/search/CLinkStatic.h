// A static text turned into a web link.
//
// The text is drawn underlined in the link colour, takes the hover colour
// while the pointer is over it and the visited colour once the link has been
// followed, shows a pointing-hand cursor and a tooltip with the address, and
// opens the address in the web browser when clicked. When the desktop cannot
// open it, the control starts the default web-page application itself; when
// that fails too, it beeps and explains the error in a message box.
#pragma once

#include <QColor>
#include <QLabel>
#include <string>

class CLinkStatic : public QLabel {
    Q_OBJECT

public:
    // Result of a successful open (results above 32 mean success).
    static constexpr int OpenSucceeded = 33;

    explicit CLinkStatic(QWidget* parent = nullptr);

    // Makes the label a link: takes the address from the text (or the text
    // from the address), underlines the font, fits the label to its text and
    // sets the cursor and the tooltip. Call once the label has its text and
    // place, as a dialog does when it attaches the control.
    void PreSubclassWindow();

    void SetAddress(const QString& text) { address = text; }
    QString Address() const { return address; }
    bool Visited() const { return visited; }
    bool PointerOver() const { return pointerOver; }
    // The colour the text is drawn in now.
    QColor TextColour() const;

    // Follows the link as a click does.
    void FollowLink();

    // Opens `address`; a result above 32 is success, anything else a shell
    // error code (2 file not found, 31 no associated application, ...).
    virtual int OpenLink(const std::string& address);

    // The message box text for an open error code.
    static QString OpenErrorText(int code);

    // From a browser command line and an address, the command line to start:
    // the line is cut at a quoted "%1" placeholder (or a bare "%1"), then a
    // blank and the address are appended.
    static std::string BuildCommandLine(const std::string& commandLine, const std::string& address);

    QColor linkColour{0, 0, 238};
    QColor visitedColour{85, 26, 139};
    QColor hoverColour;
    bool underline = true;
    bool fitToText = true;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitToText();
    void LoadLinkCursor();
    void ShowOpenError(int code);
    void MarkVisited(bool flag);
    void ApplyColour();

    bool pointerOver = false;
    bool visited = false;
    QString address;
    bool cursorLoaded = false;
};
