#pragma once

#include "window/colors.h"

#include <QComboBox>
#include <QPointer>
#include <QStringList>

class QLabel;

namespace quorvel {

// A drop-down list the user can only pick from. Filling it picks nothing and signals
// nothing; its text is empty until an item is picked; setting its text to an item picks that
// item, and picked() is emitted, at once, exactly when the pick changes (by user or code).
class PickList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(quint32 backColor READ backColor)

public:
    explicit PickList(QWidget* parent = nullptr);

    void clearItems();
    void addItemText(const QString& text);
    // Many at once: the list model takes them in one insertion.
    void addItemTexts(const QStringList& texts);
    void insertItemText(int index, const QString& text);
    void removeItemText(const QString& text);
    QStringList items() const;

    QString text() const { return currentText(); }
    // A text that is no item picks nothing and leaves the list as it is.
    void setText(const QString& text);

    // The background while available and while unavailable, given once: afterwards the
    // list's availability alone chooses between them. A new palette at every change would
    // make the style draw and cache its pixmaps afresh each time, and memory grow with use.
    void setBackColors(ColorValue available, ColorValue unavailable);
    // The background the list shows now.
    ColorValue backColor() const;

    // Assistive technology on Linux knows a list by the label it is labelled by and reads no
    // value from it. The label's accessible name therefore carries the list's name followed
    // by the picked item ("Month of birth, October"), kept so at every change.
    void setSpokenLabel(QLabel* label, const QString& name);

    // The open list is at least as wide as its widest item, with room for its scroll bar;
    // the closed list keeps its size.
    void showPopup() override;

    // Whether the pick under way comes from typing the item's first letters or digits, which
    // a screen reader follows in the list itself.
    bool typing() const { return typing_; }

signals:
    void picked();

protected:
    // Only a list the user is working in takes the wheel: one the pointer merely passes over
    // leaves the wheel to the window and its pick unchanged.
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    template <typename Change>
    void quietly(Change change);

    void nameLabel();

    bool quiet_ = false;
    bool typing_ = false;
    QPointer<QLabel> spokenLabel_;
    QString spokenName_;
    ColorValue available_ = 0;
    ColorValue unavailable_ = 0;
};

} // namespace quorvel
