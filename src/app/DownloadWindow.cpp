#include "app/DownloadWindow.h"

#include "platform/AnsiText.h"

#include <QFile>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

// Names as they are written on disk (SmartSave::SafeFileName).
QString NameText(const std::string& name) { return QString::fromStdString(AsUtf8(name)); }

QLabel* WhiteLabel(const QString& text, QWidget* parent, bool bold)
{
    auto* label = new QLabel(text, parent);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
    return label;
}

QLabel* ListCaption(const QString& text, QWidget* parent)
{
    QLabel* label = WhiteLabel(text, parent, true);
    QFont f("Arial");
    f.setPixelSize(13);
    f.setBold(true);
    label->setFont(f);
    return label;
}

} // namespace

Tfrm_Download* frm_Download = nullptr;

Tfrm_Download::Tfrm_Download(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Downloading Files");
    resize(400, 400);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);

    panel_Top = new QWidget(this);
    Label1 = WhiteLabel("Saving files to:", panel_Top, true);
    Label2 = WhiteLabel(QString(), panel_Top, false);
    Gauge1 = new TGauge(panel_Top);
    Gauge1->BackColor = Qt::lightGray; // silver
    Gauge1->ForeColor = QColor(128, 0, 0); // maroon
    label_Queue = ListCaption("Files in queue:", this);
    label_Downloaded = ListCaption("Files downloaded:", this);
    ListBox1 = new QListWidget(this);
    ListBox2 = new QListWidget(this);
    panel_Bottom = new QWidget(this);
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Abort", panel_Bottom);
    BitBtn1->resize(75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void Tfrm_Download::SetSavePath(const std::string& path) { Label2->setText(QFile::decodeName(path.c_str())); }

void Tfrm_Download::AddToQueue(const std::string& fileName) { ListBox1->addItem(NameText(fileName)); }

void Tfrm_Download::FileDownloaded(const std::string& fileName) { Arrived(fileName, NameText(fileName)); }

void Tfrm_Download::FileAlreadySaved(const std::string& fileName, const std::string& path)
{
    FKeepOpen = true;
    Arrived(fileName, NameText(fileName) + ": already saved as " + QFile::decodeName(path.c_str()));
}

void Tfrm_Download::Arrived(const std::string& fileName, const QString& shown)
{
    const QString name = NameText(fileName);
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->text().contains(name)) {
            delete ListBox1->takeItem(i);
            break;
        }
    ListBox2->addItem(shown);
    Gauge1->AddProgress(1);
    if (ListBox1->count() == 0 && isVisible() && !FKeepOpen)
        done(QDialog::Accepted);
}

void Tfrm_Download::FormShow()
{
    Gauge1->SetProgress(0);
    Gauge1->SetMaxValue(ListBox1->count());
}

void Tfrm_Download::FormResize()
{
    const int w = width();
    const int h = height();
    panel_Top->setGeometry(0, 0, w, TopHeight);
    Label1->adjustSize();
    Label1->move(Margin, 6);
    Label2->setGeometry(Margin + Label1->width() + 4, 6, std::max(0, w - 2 * Margin - Label1->width() - 4), Label1->height());
    Gauge1->setGeometry(Margin, TopHeight - 20 - 4, std::max(0, w - 2 * Margin), 20);

    const int areaTop = TopHeight + 10;
    const int areaHeight = std::max(0, h - TopHeight - BottomHeight - 20);
    const int leftWidth = static_cast<int>(std::lrint(w / 2.0 - ListGap));
    const int rightLeft = Margin + leftWidth + ListGap;
    const int rightWidth = std::max(0, w - Margin - rightLeft);
    const int captionHeight = 18;
    label_Queue->setGeometry(Margin, areaTop, leftWidth, captionHeight);
    ListBox1->setGeometry(Margin, areaTop + captionHeight, leftWidth, std::max(0, areaHeight - captionHeight));
    label_Downloaded->setGeometry(rightLeft, areaTop, rightWidth, captionHeight);
    ListBox2->setGeometry(rightLeft, areaTop + captionHeight, rightWidth, std::max(0, areaHeight - captionHeight));

    panel_Bottom->setGeometry(0, h - BottomHeight, w, BottomHeight);
    BitBtn1->move(static_cast<int>(std::lrint(w / 2.0 - BitBtn1->width() / 2.0)), (BottomHeight - BitBtn1->height()) / 2);
}

void Tfrm_Download::BitBtn1Click() { done(QDialog::Rejected); }

void Tfrm_Download::FormClose()
{
    FKeepOpen = false;
    ListBox1->clear();
    ListBox2->clear();
}

void Tfrm_Download::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tfrm_Download::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void Tfrm_Download::done(int result)
{
    FormClose();
    QDialog::done(result);
}
