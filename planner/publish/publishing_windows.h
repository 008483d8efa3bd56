#pragma once
// The two windows that put the school's plans on its web pages: Form61 the
// timetable of every published class, Form62 one day's substitution plan.
// Each opening of a window generates its page once and then uploads exactly
// that page once; the foot shows where parents and students find it.
#include "planner/publish/page_upload.h"
#include "planner/publish/web_pages.h"
#include "platform/forms.h"

#include <chrono>
#include <memory>

class Inet;
class QLabel;
class QPushButton;
class QThread;
class TextBox;
struct UploadJob;

// What both windows share: a message line, the buttons to generate, upload
// and leave, the status text and the address box.
class PublishingWindow : public FormBase {
    Q_OBJECT
public:
    QLabel* Label2;
    TextBox* Text2;
    QPushButton* Command11;
    QPushButton* Command1;
    QPushButton* Command2;
    QLabel* Label1;
    TextBox* Text1;
    // Shared with the upload, which may outlive the window.
    std::shared_ptr<Inet> Inet1;

    ~PublishingWindow() override;

    void Command11_Click();
    // Starts the upload and returns: it runs apart from the windows, which
    // stay usable, another window's upload included, until it ends.
    void Command1_Click();
    void Command2_Click();
    void Text1_Click();

    bool uploading() const { return m_upload != nullptr; }

protected:
    struct Design {
        int slot;
        const char* name;
        QString caption;
        QString messageCaption;
        QString generateCaption;
        QString uploadCaption;
        // How far the buttons and everything below them stand lower than in
        // the timetable window, in twips.
        int lowered;
        int width;
        int height;
        // The address with "http://" in front, and the subject of the success text.
        bool addressWithScheme;
        QString published;
    };
    explicit PublishingWindow(const Design& design);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    virtual WrittenPage writePage() = 0;

private:
    void generatePage();
    // Shows `text` as the status, every line of it.
    void tell(const QString& text);
    // `ticket` names the upload that ended.
    void uploadEnded(quint64 ticket);
    // Tells a running upload to stop and leaves it to end on its own: the
    // window closes at once.
    void stopUpload();

    bool m_addressWithScheme;
    QString m_published;
    WrittenPage m_page;
    QThread* m_upload = nullptr;
    // The upload's own state, which its thread holds as well.
    std::shared_ptr<UploadJob> m_job;
    // The upload this window listens to, 0 for none; an end that arrives for
    // another one (stopped, and maybe followed by a new one) is none of its
    // business.
    quint64 m_uploadTicket = 0;
};

// The end of the program: waits for the uploads whose windows closed while
// they put a published page back under its name, at most `longest`; those
// still running then stop at once. A message tells each page that one of
// them left set aside.
void FinishUploadsOfClosedWindows(std::chrono::milliseconds longest);

// Form61 "Stundenplan im Internet veröffenlichen" (the caption as it has always been spelt).
class Form61 : public PublishingWindow {
    Q_OBJECT
public:
    Form61();

protected:
    WrittenPage writePage() override;
};

// Form62 "Vertretungsplan im Internet veröffentlichen": the substitution day
// in memory with the three message lines, which it keeps in
// gSubstPageMessages when it closes.
class Form62 : public PublishingWindow {
    Q_OBJECT
public:
    Form62();

    TextBox* Text3;
    TextBox* Text4;

protected:
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    WrittenPage writePage() override;
};
