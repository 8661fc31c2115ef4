#include "platform/print/recording.h"

namespace platform {

RecordingCanvas::RecordingCanvas(Page portrait) : page(portrait) {}

RecordingCanvas::~RecordingCanvas()
{
    if (installed_ && &PrinterCanvas() == this)
        SetPrinterCanvas(nullptr);
}

void RecordingCanvas::Install()
{
    SetPrinterCanvas(this);
    installed_ = true;
}

QList<RecordingCanvas::Text> RecordingCanvas::TextsOn(int job, int onPage) const
{
    QList<Text> out;
    for (const Text& t : texts)
        if (t.job == job && t.page == onPage)
            out << t;
    return out;
}

const RecordingCanvas::Text* RecordingCanvas::Find(const QString& text) const
{
    for (const Text& t : texts)
        if (t.text == text)
            return &t;
    return nullptr;
}

double RecordingCanvas::XMm(int px) const
{
    return PageWidth() > 0 ? double(px) * HorzSize() / PageWidth() : 0;
}

double RecordingCanvas::YMm(int px) const
{
    return PageHeight() > 0 ? double(px) * VertSize() / PageHeight() : 0;
}

int RecordingCanvas::PageWidth() const
{
    return Landscape() ? page.heightPx : page.widthPx;
}

int RecordingCanvas::PageHeight() const
{
    return Landscape() ? page.widthPx : page.heightPx;
}

int RecordingCanvas::HorzSize() const
{
    return Landscape() ? page.heightMm : page.widthMm;
}

int RecordingCanvas::VertSize() const
{
    return Landscape() ? page.widthMm : page.heightMm;
}

bool RecordingCanvas::BeginDoc(const QString& jobName)
{
    if (!refuseWith.isEmpty()) {
        error_ = refuseWith;
        refuseWith.clear();
        ++refused;
        return false;
    }
    error_.clear();
    jobs << Job{jobName, orientation_};
    printing_ = true;
    family_ = QStringLiteral("Arial");
    size_ = 10;
    bold_ = false;
    pen_ = 1;
    return true;
}

bool RecordingCanvas::EndDoc()
{
    if (printing_)
        jobs.last().ended = true;
    printing_ = false;
    return true;
}

void RecordingCanvas::NewPage()
{
    if (!printing_) {
        ++drawnOutside;
        return;
    }
    if (failAtNewPage > 0 && jobs.last().pages == failAtNewPage)
        throw EPrinter(QStringLiteral("L'impression a échoué : la page suivante n'a pas pu commencer."));
    ++jobs.last().pages;
}

void RecordingCanvas::SetFont(const QString& family, int pointSize, bool bold)
{
    family_ = family;
    size_ = pointSize;
    bold_ = bold;
}

void RecordingCanvas::TextOut(int x, int y, const QString& text)
{
    if (!printing_) {
        ++drawnOutside;
        return;
    }
    texts << Text{int(jobs.size()) - 1, jobs.last().pages - 1, x, y, text, family_, size_, bold_};
}

int RecordingCanvas::TextWidth(const QString& text) const
{
    // A point is 0.3528 mm; half of it per point of size and per character.
    const double pxPerMm = HorzSize() > 0 ? double(PageWidth()) / HorzSize() : 0;
    return int(text.size() * size_ * 0.1764 * pxPerMm);
}

int RecordingCanvas::TextHeight(const QString&) const
{
    const double pxPerMm = VertSize() > 0 ? double(PageHeight()) / VertSize() : 0;
    return int(size_ * 0.3528 * pxPerMm);
}

void RecordingCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (!printing_) {
        ++drawnOutside;
        return;
    }
    rules << Rule{int(jobs.size()) - 1, jobs.last().pages - 1, x1, y1, x2, y2, pen_, false};
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!printing_) {
        ++drawnOutside;
        return;
    }
    rules << Rule{int(jobs.size()) - 1, jobs.last().pages - 1, x1, y1, x2, y2, pen_, true};
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2, const QColor& color)
{
    if (!printing_) {
        ++drawnOutside;
        return;
    }
    fills << Fill{int(jobs.size()) - 1, jobs.last().pages - 1, x1, y1, x2, y2, color};
}

}  // namespace platform
