#include "app/PicturesPage.h"

#include "pictures/PictureTypes.h"
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QSpinBox* PixelEdit(int value)
{
    auto* edit = new QSpinBox;
    edit->setRange(1, 100000);
    edit->setValue(value);
    edit->setEnabled(false);
    edit->setFixedWidth(70);
    return edit;
}

} // namespace

TPicturesPage::TPicturesPage(QWidget* parent) : QWidget(parent)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(2, 4, 2, 2);
    page->setSpacing(2);

    auto* types = new QGroupBox("Picture Types:");
    auto* typesRow = new QHBoxLayout(types);
    checkbox_Jpeg = new QCheckBox("JPEG");
    checkbox_Jpeg->setChecked(true);
    checkbox_Jpeg->setEnabled(false);
    checkbox_Png = new QCheckBox("PNG");
    checkbox_Gif = new QCheckBox("GIF");
    checkbox_Webp = new QCheckBox("WebP");
    for (QCheckBox* box : {checkbox_Jpeg, checkbox_Png, checkbox_Gif, checkbox_Webp})
        typesRow->addWidget(box);
    typesRow->addStretch(1);
    page->addWidget(types);

    auto* dimensions = new QGroupBox("Dimensions (checked links):");
    auto* grid = new QGridLayout(dimensions);
    checkbox_MinWidth = new QCheckBox("Must be at least:");
    edit_MinWidth = PixelEdit(1920);
    checkbox_MinHeight = new QCheckBox("Must be at least:");
    edit_MinHeight = PixelEdit(1080);
    grid->addWidget(checkbox_MinWidth, 0, 0);
    grid->addWidget(edit_MinWidth, 0, 1);
    grid->addWidget(new QLabel("pixels wide."), 0, 2);
    grid->addWidget(checkbox_MinHeight, 1, 0);
    grid->addWidget(edit_MinHeight, 1, 1);
    grid->addWidget(new QLabel("pixels high."), 1, 2);
    grid->setColumnStretch(3, 1);
    page->addWidget(dimensions);

    auto* saving = new QGroupBox("Saving:");
    auto* savingRow = new QHBoxLayout(saving);
    checkbox_SaveOnce = new QCheckBox("Save each picture once (not again when saved before)");
    savingRow->addWidget(checkbox_SaveOnce);
    page->addWidget(saving);
    page->addStretch(1);

    connect(checkbox_MinWidth, &QCheckBox::toggled, edit_MinWidth, &QWidget::setEnabled);
    connect(checkbox_MinHeight, &QCheckBox::toggled, edit_MinHeight, &QWidget::setEnabled);
}

void TPicturesPage::Load(const TIniFile& ini)
{
    const TPictureTypes types =
        ParsePictureTypes(Read(ini, Setting::PictureTypes)).value_or(TPictureTypes::JpegOnly());
    checkbox_Png->setChecked(types.Has(TPictureType::Png));
    checkbox_Gif->setChecked(types.Has(TPictureType::Gif));
    checkbox_Webp->setChecked(types.Has(TPictureType::Webp));
    checkbox_MinWidth->setChecked(Read(ini, Setting::MinWidthBool));
    edit_MinWidth->setValue(Read(ini, Setting::MinWidthShown));
    checkbox_MinHeight->setChecked(Read(ini, Setting::MinHeightBool));
    edit_MinHeight->setValue(Read(ini, Setting::MinHeightShown));
    checkbox_SaveOnce->setChecked(Read(ini, Setting::SaveOnce));
}

void TPicturesPage::Store(TIniFile& ini) const
{
    TPictureTypes types = TPictureTypes::JpegOnly();
    const std::pair<QCheckBox*, TPictureType> boxes[] = {
        {checkbox_Png, TPictureType::Png}, {checkbox_Gif, TPictureType::Gif}, {checkbox_Webp, TPictureType::Webp}};
    for (const auto& [box, type] : boxes)
        if (box->isChecked())
            types = types.With(type);
    Write(ini, Setting::PictureTypes, PictureTypesText(types));
    Write(ini, Setting::MinWidthBool, checkbox_MinWidth->isChecked());
    Write(ini, Setting::MinWidthShown, edit_MinWidth->value());
    Write(ini, Setting::MinHeightBool, checkbox_MinHeight->isChecked());
    Write(ini, Setting::MinHeightShown, edit_MinHeight->value());
    Write(ini, Setting::SaveOnce, checkbox_SaveOnce->isChecked());
}
