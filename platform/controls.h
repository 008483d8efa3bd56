#pragma once
// Controls with the original's event semantics, and the helpers the windows
// build their controls with (names, captions, colour numbers, fonts).
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <utility>

class ListBox;
class QLabel;
class QPushButton;

namespace controls {
// Back and fore colour as BBGGRR numbers; the number is kept on the widget so
// code and tests read the state, not a pixel.
void setBackColor(QWidget* w, std::uint32_t bgr);
std::uint32_t backColor(const QWidget* w);
void setForeColor(QWidget* w, std::uint32_t bgr);

// A font as a window's design gives it; without a family a control keeps the
// font it takes from its window.
struct Font {
    const char* family = nullptr;
    double points = 0;
    bool bold = false;
    bool italic = false;
};
void setFont(QWidget* w, const Font& font);

// A child control under its name, by which the window's code and the tests
// know it; further arguments go to its constructor after the parent.
template <class W, class Parent, class... Args>
W* named(Parent* parent, const QString& name, Args&&... args)
{
    W* w = new W(parent, std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

// A label or a button showing `caption`.
QLabel* label(QWidget* parent, const QString& name, const QString& caption, const Font& font = {});
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const Font& font = {});
// A list box; a sorted one keeps its items in the program's collation.
ListBox* list(QWidget* parent, const QString& name, const Font& font = {}, bool sorted = false);

// The key that confirms what was typed into a field: Return or Enter.
bool isEnter(int keyCode);

// Disables a control, a button as a rule, in its own handler. Qt would hand
// the focus it has on to the next control of the window, perhaps a button
// that ends, closes or deletes, which the next Enter would press: where the
// control has the focus, it goes to `next`, the field the user needs next.
void disableHandingFocusTo(QWidget* control, QWidget* next);

// KeyDown of a control that has none of its own (a button, a list, an option
// button): the handler sees each key before the control acts on it and keeps
// the key from the control by returning true.
using KeyDownHandler = std::function<bool(const QKeyEvent& key)>;
void onKeyDown(QWidget* control, KeyDownHandler handler);

// Click of a control that has none of its own (a label): the left button
// released over it.
void onClick(QWidget* control, std::function<void()> handler);
}

// A text box. Change fires on every change, also when code assigns the same
// text again; KeyPress sees the character code first (Enter = 13) and can
// swallow it by setting it to 0; Click fires when the user clicks into it.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    void setText(const QString& text);

signals:
    void Change();
    void KeyPress(int& keyAscii);
    void KeyDown(int& keyCode);
    void GotFocus();
    void LostFocus();
    void Click();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    // KeyDown, KeyPress, then the field's own handling of the key.
    void handleKey(QKeyEvent* e);

    bool m_assigning = false;
    // The field's own Enter is being handled, perhaps yielding.
    bool m_handlingEnter = false;
};

// A list box. Items keep their order of adding unless the list is sorted, then
// they are inserted by the program's collation. Click fires when the selected
// item changes, by the user or by code.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr, bool sorted = false);
    void setSorted(bool sorted) { m_sorted = sorted; }
    bool isSorted() const { return m_sorted; }

    void AddItem(const QString& text);
    // Many items in one insertion, in the order AddItem one by one would give:
    // a list laid out again after every item takes seconds at 1000 students.
    void AddItems(const QStringList& texts);
    void RemoveItem(int index);
    // A new text for an item where it stands, also in a sorted list.
    void setItemText(int index, const QString& text);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int index) const;
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);
    // Selects exactly the items at `rows` (ascending) through one selection,
    // in a list that allows several; one selection change, not one per item.
    void selectRows(const QList<int>& rows);
    // Every item's text, in order (tests and callers that scan the list).
    QStringList items() const;

    // For lists whose items carry the number that identifies them at their
    // end, behind blanks: the list shows each item without that number,
    // whatever the list's width and however short the item, and cuts long
    // items at its edge. List() still gives the whole item.
    void hideItemNumbers();
    // An item as the list shows it.
    QString shownText(int index) const;

signals:
    void Click();
    void DblClick();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Runs Qt's code that may choose another item (a user's press, move or
    // key, or code setting ListIndex); the Click it causes comes at its end,
    // when Qt is done with the list, since a handler that yields may see its
    // window closed and deleted, and this list with it. Returns whether the
    // list still stands.
    bool clickAfterQt(const std::function<void()>& qtCode);

    bool m_sorted;
    // Inside clickAfterQt; a Click waits for its end.
    bool m_holdingClick = false;
    bool m_clickPending = false;
    // The view took the last double click for one on an item.
    bool m_doubleClicked = false;
};

// A drop-down list box. Click fires when an item is chosen, by the user or by
// code, also the item already chosen; windows rely on it to store what they
// show. A box fills without a selection, and an index outside its items shows
// none; neither fires Click.
// LostFocus fires when the focus leaves the box, not when its own drop-down
// list opens.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    void AddItem(const QString& text);
    void Clear() { clear(); }
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index);
    // Every item's text, in order.
    QStringList items() const;

signals:
    void Click();
    void LostFocus();

protected:
    void focusOutEvent(QFocusEvent* e) override;
};

// A three-dimensional check box used as on/off. Click passes the new value as
// the original's did, -1 ticked and 0 clear, when the user clicks it; showing
// a value from code fires nothing.
class SSCheck : public QCheckBox {
    Q_OBJECT
public:
    SSCheck(QWidget* parent, const QString& caption);
    // Any value other than 0 shows a tick.
    void setValue(int value) { setChecked(value != 0); }
    int value() const { return isChecked() ? -1 : 0; }

signals:
    void Click(int value);
};

// A timer whose Enabled property does not restart a running timer.
class Timer : public QTimer {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0);
    void setEnabled(bool enabled);
    bool isEnabled() const { return isActive(); }

signals:
    void Tick();
};
