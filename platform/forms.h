#pragma once
// Windows of the program: each exists at most once, is created when first
// used, shown modeless and deleted when unloaded. The base keeps the
// original's event semantics: Form_Load once after creation, Form_Activate
// when the window becomes the active window of this program, Form_Unload
// before it goes. A window that saves its edits when it closes asks, when it
// cannot save, whether to close without saving; the end of the program never
// waits for such a window.
#include <QBasicTimer>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <typeindex>

class FormBase : public QWidget {
    Q_OBJECT
public:
    // positionSlot: the window's slot of saved positions, 0 when it keeps none.
    explicit FormBase(int positionSlot = 0, QWidget* parent = nullptr);
    ~FormBase() override;

    int positionSlot() const { return m_positionSlot; }
    // True while the window stands where the program put it (within the
    // screen, or beside the window that opened it): its stored position is
    // then still the one to keep.
    bool standsWhereFitted() const { return m_fitted && pos() == *m_fitted; }
    bool isUnloading() const { return m_unloading; }

    // Makes this the active window of the program; Form_Activate fires when
    // another window of the program was the active one.
    void activate();
    // Shows the window without taking the keyboard from the active window of
    // the program, which stays the active one; a dialog (Qt::Dialog) stays
    // above that window.
    void showBeside();
    // How an unload treats a window whose edits cannot be saved.
    enum class Closing {
        // It asks whether to close without saving; "Nein" keeps it open.
        MayStayOpen,
        // The program ends: it asks the same, but goes whatever the answer.
        Always,
    };

    // Unsaved edits saved (or, when that fails, the question), Form_Unload,
    // then the position is stored, the window closed and deleted. Returns
    // false when the window stays open, and for a close that comes while the
    // window's closing still asks: that closing alone decides.
    bool unload(Closing closing = Closing::MayStayOpen);

    // Window positions live in the data model; start-up installs these.
    using PositionHook = std::function<void(FormBase&)>;
    static void setPositionHooks(PositionHook restore, PositionHook store);

    // Called by the registry once, right after construction.
    void load();

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload(bool& cancel) { (void)cancel; }

    // A window that saves its edits when it closes overrides these. A window
    // without edits writes nothing, so closing it never undoes what another
    // PC saved meanwhile and never fails in a folder this PC cannot write.
    virtual bool hasUnsavedEdits() const { return false; }
    // Returns why the save failed, as a sentence naming the file and the
    // system's reason, without the closing full stop; empty when saved.
    virtual QString saveEdits() { return {}; }
    // The window closes without saving: edits it already put into the data
    // model are taken back.
    virtual void discardEdits() {}

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    // Places a control or the window at a position and size given in twips.
    static void place(QWidget* w, int left, int top, int width, int height);

private:
    // Form_Activate when another window of the program was the active one.
    void activated();
    // Moves the window just enough to lie within the available screen, and
    // makes it smaller where it is larger.
    void fitOnScreen();
    void placeBeside(const FormBase& opener);
    QRect titleBar() const;
    const FormBase* windowHiddenBy(const QRect& frame) const;
    // Fits the window when the window manager has put its frame around it;
    // false while the frame is not known.
    bool fitIfFramed();
    // Looks again for the frame, while the window is shown.
    void lookForFrame();
    // Moves the window by a pixel and back: Qt then asks the window manager
    // for the frame again.
    void askForFrameAgain();
    // The frame the window manager puts around the window: the window's own
    // once shown, before that the frame of another window of the program.
    QMargins windowFrameMargins() const;
    // False when the edits could not be saved and the window stays open.
    bool saveOrAsk(Closing closing);
    // Gives the activation back to the window that keeps the keyboard while
    // this one, shown beside it, is being mapped; false when there is none.
    bool keyboardHandedBack();

    int m_positionSlot;
    // Between the start of an unload and its end: it may be asking.
    bool m_closing = false;
    bool m_unloading = false;
    // The window manager's frame has been seen and the window fitted to it.
    bool m_framed = false;
    QBasicTimer m_frameLook;
    int m_frameLookMs = 0;
    int m_frameWaitedMs = 0;
    int m_frameSettledMs = 0;
    std::optional<QPoint> m_fitted;
    QPointer<FormBase> m_keyboardKeeper;
    QBasicTimer m_mappingSettle;
};

namespace forms {
FormBase* find(std::type_index type);
void add(std::type_index type, FormBase* form);
void forget(FormBase* form);
// Every open window, in no particular order.
QList<FormBase*> all();
// Unloads every open window at the end of the program (and of a test); a
// window that cannot save asks, but goes.
void unloadAll();
// The window that was last made active, or null.
FormBase* active();
// False for a window deleted (null) or closing: unloaded, its deletion still
// to come. What reports back later leaves such a window alone.
bool listening(const QWidget* window);
// Runs what lets the waiting events run during a handler of the window: a
// message box or a question (through a window it opens or closes too), or
// DoEvents. A click on its "Exit" or close box, or on "Beenden" of the main
// window, may be among them and close the window, and then delete it: false
// when the window is no longer listening, and the handler leaves it alone.
bool stillOpenAfter(const QWidget* window, const std::function<void()>& yielding);
// Processes the waiting events (DoEvents) for a handler of the window: false
// when the window is no longer listening.
bool stillOpenAfterEvents(const QWidget* window);

template <class F>
F* ifOpen()
{
    return static_cast<F*>(find(std::type_index(typeid(F))));
}

template <class F>
bool isOpen()
{
    return ifOpen<F>() != nullptr;
}

// The window, loaded when it is not open; not shown. Null when the window
// was closed while it loaded: a message box of its Form_Load lets the events
// waiting run.
template <class F>
F* get()
{
    if (F* f = ifOpen<F>())
        return f;
    F* f = new F();
    add(std::type_index(typeid(F)), f);
    const QPointer<F> loading(f);
    f->load();
    return listening(loading) ? f : nullptr;
}

// Loads when needed, shows and activates. Null when the window was closed
// while it loaded or activated.
template <class F>
F* show()
{
    const QPointer<F> f = get<F>();
    if (!f)
        return nullptr;
    f->show();
    f->raise();
    f->activate();
    return listening(f) ? f.data() : nullptr;
}

// Loads when needed and shows the window beside the one the user types in,
// which keeps the keyboard: a view that opens as a side effect of typing (the
// class's day view after Enter in the class field) or by itself (a reminder,
// the end of a countdown) would otherwise take the keys typed next. Null
// when the window was closed while it loaded.
template <class F>
F* showBeside()
{
    F* f = get<F>();
    if (f)
        f->showBeside();
    return f;
}

// False when the window is open and stays open.
template <class F>
bool unload(FormBase::Closing closing = FormBase::Closing::MayStayOpen)
{
    F* f = ifOpen<F>();
    return !f || f->unload(closing);
}
}
