#pragma once

#include <QLabel>

namespace vellicor {

class IShell;
class IUserMessages;

// A web address shown as a link: underlined, blue, purple once opened, in the highlight colour
// under the mouse, with a hand cursor and the address as its tooltip. A click opens the address
// in the desktop's browser, or failing that in the program registered for HTML pages.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    // An empty `target` is taken from `text` and an empty `text` from `target`.
    CLinkLabel(const QString& text, const QString& target, IShell& shell, IUserMessages& messages,
               QWidget* parent = nullptr);

    static constexpr QRgb kLinkColour = qRgb(0, 0, 238);
    static constexpr QRgb kVisitedColour = qRgb(85, 26, 139);

    QString Target() const { return target_; }
    bool Visited() const { return visited_; }
    bool Hover() const { return hover_; }
    QColor TextColour() const;

    // Opens the target; false (after telling the user) when nothing could open it.
    bool Open();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void UpdateColour();

    QString target_;
    IShell& shell_;
    IUserMessages& messages_;
    bool hover_ = false;
    bool visited_ = false;
};

} // namespace vellicor
