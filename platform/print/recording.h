#pragma once
// A canvas that draws nothing and keeps everything it was asked to draw, for tests to read back:
// each document with its name, orientation and pages, each text with its position, font and page,
// each rule, frame and filled rectangle. Its page is a printer's page given in pixels and
// millimetres (portrait; the landscape page is the same turned). It can also play a printer that
// refuses a job or fails in the middle of one.
#include <QColor>
#include <QList>
#include <QString>
#include "platform/print/canvas.h"

namespace platform {

class RecordingCanvas : public Canvas {
public:
    struct Page {
        int widthPx, heightPx, widthMm, heightMm;
    };
    // A4 at 600 dots an inch, the whole sheet printable.
    static constexpr Page A4{4960, 7016, 210, 297};

    struct Text {
        int job, page;  // both from 0
        int x, y;
        QString text;
        QString family;
        int size;
        bool bold;
    };
    struct Rule {
        int job, page;
        int x1, y1, x2, y2;
        int pen;
        bool frame;  // a rectangle rather than a line
    };
    struct Fill {
        int job, page;
        int x1, y1, x2, y2;
        QColor color;
    };
    struct Job {
        QString name;
        Orientation orientation;  // when the document began
        int pages = 1;
        bool ended = false;
    };

    explicit RecordingCanvas(Page portrait = A4);
    ~RecordingCanvas() override;  // goes back to the printer's canvas if it was installed
    // Installs this canvas as the process's canvas.
    void Install();

    Page page;
    QList<Job> jobs;
    QList<Text> texts;
    QList<Rule> rules;
    QList<Fill> fills;
    // Jobs that were asked for but refused; drawings and pages asked for outside a job.
    int refused = 0;
    int drawnOutside = 0;

    // Failures to play: the next BeginDoc is refused with this error; the n-th NewPage of a job
    // (from 1) throws.
    QString refuseWith;
    int failAtNewPage = 0;

    // The texts of one page of one job, in the order they were drawn.
    QList<Text> TextsOn(int job, int page) const;
    // The first text equal to `text`, or nullptr.
    const Text* Find(const QString& text) const;
    // A position in pixels as millimetres from the page's left or top edge, on the page of the
    // current orientation.
    double XMm(int px) const;
    double YMm(int px) const;

    void SetOrientation(Orientation orientation) override { orientation_ = orientation; }
    Orientation GetOrientation() const override { return orientation_; }
    int PageWidth() const override;
    int PageHeight() const override;
    int HorzSize() const override;
    int VertSize() const override;
    using Canvas::BeginDoc;
    bool BeginDoc(const QString& jobName) override;
    bool EndDoc() override;
    void NewPage() override;
    bool Printing() const override { return printing_; }
    QString Error() const override { return error_; }
    void SetFont(const QString& family, int pointSize, bool bold) override;
    void SetPenWidth(int pixels) override { pen_ = pixels; }
    void TextOut(int x, int y, const QString& text) override;
    // Half an em a character: a width that grows with the text and its size, the same on every
    // machine.
    int TextWidth(const QString& text) const override;
    // An em: the size in points as pixels, for every text.
    int TextHeight(const QString& text) const override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2, const QColor& color) override;

private:
    bool Landscape() const { return orientation_ == Orientation::Landscape; }
    Orientation orientation_ = Orientation::Portrait;
    bool printing_ = false;
    bool installed_ = false;
    QString error_;
    QString family_ = QStringLiteral("Arial");
    int size_ = 10;
    bool bold_ = false;
    int pen_ = 1;
};

}  // namespace platform
