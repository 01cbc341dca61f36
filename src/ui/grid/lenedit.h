#pragma once

#include <QLineEdit>

namespace vellicor {

// An edit box for a length (or an area) in the current unit. The value is kept in millimetres (or
// mm²); leaving the box normalises its text to the formatted value.
class CLenEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Length, Area };

    explicit CLenEdit(QWidget* parent = nullptr, Kind kind = Kind::Length);

    Kind GetKind() const { return kind_; }
    // The value the text denotes; unreadable text reads as 0.
    double Value() const;
    void SetValue(double value);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    Kind kind_;
};

} // namespace vellicor
