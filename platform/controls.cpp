#include "platform/controls.h"

#include "platform/collate.h"
#include "platform/input_guard.h"
#include "platform/units.h"

#include <QFocusEvent>
#include <QItemSelection>
#include <QFont>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {
// The program's fixed-pitch fonts are Windows fonts; where one is not
// installed, its stand-in must be fixed-pitch too, or the columns of the
// register's lists no longer line up.
bool isFixedPitchFamily(const char* family)
{
    for (const char* fixed : {"Lucida Console", "Courier New", "Courier", "Fixedsys"}) {
        if (qstricmp(family, fixed) == 0)
            return true;
    }
    return false;
}

// An item without the number at its end and the blanks before it.
QString withoutItemNumber(const QString& item)
{
    qsizetype end = item.size();
    while (end > 0 && item.at(end - 1).isDigit())
        --end;
    if (end == item.size())
        return item;
    while (end > 0 && item.at(end - 1) == QLatin1Char(' '))
        --end;
    return item.left(end);
}

// The blanks were meant to push the number past the list's right edge, but
// a short item, or one whose number follows its prefix directly, leaves it
// in sight at an uneven place; the list draws every item without it.
class ItemNumberHider : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override
    {
        return withoutItemNumber(QStyledItemDelegate::displayText(value, locale));
    }
};

class KeyDownFilter : public QObject {
public:
    KeyDownFilter(QWidget* control, controls::KeyDownHandler handler)
        : QObject(control), m_handler(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress)
            return m_handler(*static_cast<QKeyEvent*>(e));
        return QObject::eventFilter(watched, e);
    }

private:
    controls::KeyDownHandler m_handler;
};

// The original's buttons take Enter as a click when they have the focus; Qt's
// take only Space, except the auto-default buttons of a dialog, which press
// themselves. A KeyDown handler of the button sees Enter first: it is
// installed later, so it filters before this one.
// A held Enter presses a button once: its repeats would press it again.
class EnterPresses : public QObject {
public:
    explicit EnterPresses(QPushButton* button) : QObject(button) { button->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, e);
        const auto* key = static_cast<QKeyEvent*>(e);
        if (!controls::isEnter(key->key()))
            return QObject::eventFilter(watched, e);
        if (inputguard::isRepeat(*key))
            return true;
        auto* button = static_cast<QPushButton*>(watched);
        if (button->autoDefault() || button->isDefault())
            return QObject::eventFilter(watched, e);
        button->click();
        return true;
    }
};

class ClickFilter : public QObject {
public:
    ClickFilter(QWidget* control, std::function<void()> handler) : QObject(control), m_handler(std::move(handler))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(e);
            const auto* control = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton && control->rect().contains(mouse->position().toPoint()))
                m_handler();
        }
        return QObject::eventFilter(watched, e);
    }

private:
    std::function<void()> m_handler;
};
}

namespace controls {
void setBackColor(QWidget* w, std::uint32_t bgr)
{
    w->setProperty("BackColor", static_cast<qulonglong>(bgr));
    QPalette p = w->palette();
    const QColor c = units::colourFromBgr(bgr);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

std::uint32_t backColor(const QWidget* w)
{
    const QVariant v = w->property("BackColor");
    if (v.isValid())
        return static_cast<std::uint32_t>(v.toULongLong());
    return units::bgrFromColour(w->palette().color(QPalette::Base));
}

void setForeColor(QWidget* w, std::uint32_t bgr)
{
    w->setProperty("ForeColor", static_cast<qulonglong>(bgr));
    QPalette p = w->palette();
    const QColor c = units::colourFromBgr(bgr);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);
    w->setPalette(p);
}

void setFont(QWidget* w, const Font& font)
{
    if (!font.family)
        return;
    QFont f(QString::fromUtf8(font.family));
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    if (isFixedPitchFamily(font.family))
        f.setStyleHint(QFont::TypeWriter);
    w->setFont(f);
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const Font& font)
{
    auto* l = named<QLabel>(parent, name);
    l->setText(caption);
    setFont(l, font);
    return l;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const Font& font)
{
    auto* b = named<QPushButton>(parent, name);
    new EnterPresses(b);
    b->setText(caption);
    setFont(b, font);
    return b;
}

ListBox* list(QWidget* parent, const QString& name, const Font& font, bool sorted)
{
    auto* l = named<ListBox>(parent, name, sorted);
    setFont(l, font);
    return l;
}

bool isEnter(int keyCode) { return keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter; }

void disableHandingFocusTo(QWidget* control, QWidget* next)
{
    if (control->window()->focusWidget() == control)
        next->setFocus();
    control->setEnabled(false);
}

void onKeyDown(QWidget* control, KeyDownHandler handler) { new KeyDownFilter(control, std::move(handler)); }

void onClick(QWidget* control, std::function<void()> handler) { new ClickFilter(control, std::move(handler)); }
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_assigning)
            emit Change();
    });
}

void TextBox::setText(const QString& text)
{
    m_assigning = true;
    QLineEdit::setText(text);
    m_assigning = false;
    emit Change();
}

void TextBox::keyPressEvent(QKeyEvent* e)
{
    if (!controls::isEnter(e->key())) {
        handleKey(e);
        return;
    }
    // An Enter typed while the field's Enter is handled (it yields) would
    // confirm, inside that handling, what the keys typed meanwhile made of
    // the field: the field keeps them unconfirmed instead.
    if (m_handlingEnter)
        return;
    m_handlingEnter = true;
    const QPointer<TextBox> self(this);
    handleKey(e);
    if (self)
        m_handlingEnter = false;
}

void TextBox::handleKey(QKeyEvent* e)
{
    // A handler that yields may see its window closed and deleted, and this
    // field with it.
    const QPointer<TextBox> self(this);
    int keyCode = e->key();
    emit KeyDown(keyCode);
    if (!self || keyCode == 0)
        return;
    int ascii = 0;
    if (controls::isEnter(e->key()))
        ascii = 13;
    else if (e->key() == Qt::Key_Backspace)
        ascii = 8;
    else if (e->key() == Qt::Key_Escape)
        ascii = 27;
    else if (!e->text().isEmpty())
        ascii = e->text().at(0).unicode();
    if (ascii != 0) {
        const int before = ascii;
        emit KeyPress(ascii);
        if (!self || ascii == 0)
            return;
        if (ascii != before && ascii >= 32) {
            insert(QString(QChar(ascii)));
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TextBox::mouseReleaseEvent(QMouseEvent* e)
{
    QLineEdit::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
}

void TextBox::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    emit LostFocus();
}

ListBox::ListBox(QWidget* parent, bool sorted) : QListWidget(parent), m_sorted(sorted)
{
    // An item wider than the list is cut at its edge: several lists push the
    // number that identifies an item out of sight behind blanks, and an
    // ellipsis would mark the place.
    setTextElideMode(Qt::ElideNone);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        if (m_holdingClick)
            m_clickPending = true;
        else
            emit Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { m_doubleClicked = true; });
}

void ListBox::focusInEvent(QFocusEvent* e)
{
    // Qt makes the first item current when a list without a selection gets
    // the focus; the original's lists stay without a selection, and a Click
    // there would take an item nobody chose.
    const int before = currentRow();
    {
        const QSignalBlocker quiet(this);
        QListWidget::focusInEvent(e);
        if (before < 0 && currentRow() >= 0)
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

bool ListBox::clickAfterQt(const std::function<void()>& qtCode)
{
    if (m_holdingClick) {
        qtCode();
        return true;
    }
    m_holdingClick = true;
    m_clickPending = false;
    qtCode();
    m_holdingClick = false;
    if (!m_clickPending)
        return true;
    const QPointer<ListBox> alive(this);
    emit Click();
    return alive;
}

void ListBox::mousePressEvent(QMouseEvent* e)
{
    // A click on the item that is already chosen is a Click as well: it
    // reopens what the first click opened.
    const int before = currentRow();
    clickAfterQt([&] {
        QListWidget::mousePressEvent(e);
        if (before >= 0 && currentRow() == before && itemAt(e->position().toPoint()) == item(before))
            m_clickPending = true;
    });
}

void ListBox::mouseMoveEvent(QMouseEvent* e)
{
    clickAfterQt([&] { QListWidget::mouseMoveEvent(e); });
}

void ListBox::keyPressEvent(QKeyEvent* e)
{
    clickAfterQt([&] { QListWidget::keyPressEvent(e); });
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    // DblClick comes once the view is done with the double click, as Click
    // does; a double click on another item is a press there.
    m_doubleClicked = false;
    if (clickAfterQt([&] { QListWidget::mouseDoubleClickEvent(e); }) && m_doubleClicked)
        emit DblClick();
}

void ListBox::AddItem(const QString& text)
{
    if (!m_sorted) {
        addItem(text);
        return;
    }
    int lo = 0, hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (collate::compare(item(mid)->text(), text) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    insertItem(lo, text);
}

void ListBox::AddItems(const QStringList& texts)
{
    if (texts.isEmpty())
        return;
    const bool updating = updatesEnabled();
    setUpdatesEnabled(false);
    if (!m_sorted) {
        addItems(texts);
    } else if (count() == 0) {
        QStringList sorted = texts;
        std::stable_sort(sorted.begin(), sorted.end(), collate::less);
        addItems(sorted);
    } else {
        for (const QString& text : texts)
            AddItem(text);
    }
    setUpdatesEnabled(updating);
}

void ListBox::RemoveItem(int index)
{
    if (index >= 0 && index < count())
        delete takeItem(index);
}

void ListBox::setItemText(int index, const QString& text)
{
    if (QListWidgetItem* it = item(index))
        it->setText(text);
}

void ListBox::Clear() { clear(); }

QString ListBox::List(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void ListBox::setListIndex(int index)
{
    if (index == currentRow() && index >= 0) {
        emit Click();
        return;
    }
    clickAfterQt([&] {
        setCurrentRow(index);
        // No item chosen shows none chosen either: a list whose entries are
        // commands is deselected so the same entry can run again.
        if (index < 0)
            clearSelection();
    });
}

void ListBox::selectRows(const QList<int>& rows)
{
    QItemSelection selection;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(model()->index(rows[i], 0), model()->index(rows[last], 0));
        i = last + 1;
    }
    const bool updating = updatesEnabled();
    setUpdatesEnabled(false);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    setUpdatesEnabled(updating);
}

QStringList ListBox::items() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

void ListBox::hideItemNumbers()
{
    setItemDelegate(new ItemNumberHider(this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString ListBox::shownText(int index) const
{
    const auto* delegate = qobject_cast<const QStyledItemDelegate*>(itemDelegate());
    return delegate ? delegate->displayText(List(index), locale()) : List(index);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, &ComboBox::Click);
}

void ComboBox::AddItem(const QString& text)
{
    // Qt selects the first item added to an empty box; the original's box
    // stays without a selection until one is chosen.
    const bool first = count() == 0;
    addItem(text);
    if (first)
        setCurrentIndex(-1);
}

void ComboBox::setListIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        return;
    }
    setCurrentIndex(index);
    emit Click();
}

QStringList ComboBox::items() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << itemText(i);
    return out;
}

void ComboBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

SSCheck::SSCheck(QWidget* parent, const QString& caption) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::clicked, this, [this](bool ticked) { emit Click(ticked ? -1 : 0); });
}

Timer::Timer(QObject* parent, int intervalMs) : QTimer(parent)
{
    setInterval(intervalMs);
    connect(this, &QTimer::timeout, this, &Timer::Tick);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled && !isActive())
        start();
    else if (!enabled)
        stop();
}
