#include "app/gui/TForm4.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/OptionsPreview.h"
#include "app/gui/Dialogs.h"
#include "app/gui/Hints.h"
#include "view/gui/ViewColour.h"

namespace slicewright {
namespace {

constexpr int kPreviewWidth = 450;
constexpr int kPreviewHeight = 153;

// Indexes of the working colours, as the combo box lists them.
enum ColourItem { kBackground, kZeroLine, kWaveform, kCutLine, kPlayLine };

std::array<Colour, 5> ColoursOf(const ViewColours& colours) {
  return {colours.BGColour, colours.LineColour, colours.WaveColour, colours.DivColour, colours.PlayColour};
}

ViewColours ViewColoursOf(const std::array<Colour, 5>& colours) {
  return {colours[kBackground], colours[kZeroLine], colours[kWaveform], colours[kCutLine],
          colours[kPlayLine]};
}

// Where the file dialog opens: the folder of the program named now, or the
// usual home of programs.
QString BrowseFolder(const QString& program) {
  const QFileInfo info(program);
  if (info.isAbsolute() && info.dir().exists()) return info.absolutePath();
  return QStringLiteral("/usr/bin");
}

}  // namespace

void PreviewBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PreviewBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

TForm4::TForm4(Dialogs& dialogs, Settings& settings, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), settings_(settings) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("Program Options"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  Tabsheep = new QTabWidget(this);
  Tabsheep->setObjectName(QStringLiteral("Tabsheep"));
  Tabsheep->addTab(BuildPreferencesPage(), QStringLiteral("Preferences"));
  Tabsheep->addTab(BuildColoursPage(), QStringLiteral("Colours"));

  Button1 = new QPushButton(QStringLiteral("O.K."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  SetHint(Button1, QStringLiteral("Use the changed colours"));
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  SetHint(Button2, QStringLiteral("Keep the old colours"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabsheep);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Tabsheep, &QTabWidget::currentChanged, this, &TForm4::PageControl1Change);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm4::ComboBox1Change);
  connect(Button3, &QPushButton::clicked, this, &TForm4::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm4::Button4Click);
  connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TForm4::BuildPreferencesPage() {
  auto* page = new QWidget;
  CheckBox1 = new QCheckBox(QStringLiteral("Save AWE filter enable control changes in Midi File"), page);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  Label2 = new QLabel(QStringLiteral("Note: May cause problems if used without AWE"), page);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label3 = new QLabel(QStringLiteral("Soundcard control panel location:"), page);
  Label3->setObjectName(QStringLiteral("Label3"));
  Edit1 = new QLineEdit(page);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Label3->setBuddy(Edit1);
  Button4 = new QPushButton(QStringLiteral("&Browse..."), page);
  Button4->setObjectName(QStringLiteral("Button4"));

  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(Edit1, 1);
  pathRow->addWidget(Button4);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(CheckBox1);
  layout->addWidget(Label2);
  layout->addSpacing(16);
  layout->addWidget(Label3);
  layout->addLayout(pathRow);
  layout->addStretch();
  return page;
}

QWidget* TForm4::BuildColoursPage() {
  auto* page = new QWidget;
  PaintBox1 = new PreviewBox(page);
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->setFixedSize(kPreviewWidth, kPreviewHeight);
  SetHint(PaintBox1, QStringLiteral("Shows the current colour scheme"));
  Label1 = new QLabel(QStringLiteral("Change Colour:"), page);
  Label1->setObjectName(QStringLiteral("Label1"));
  ComboBox1 = new QComboBox(page);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->addItems({QStringLiteral("Background Colour"), QStringLiteral("Zero Line Colour"),
                       QStringLiteral("Waveform Colour "), QStringLiteral("Cut Line Colour"),
                       QStringLiteral("Play Line Colour")});
  SetHint(ComboBox1, QStringLiteral("Choose an item to change"));
  Label1->setBuddy(ComboBox1);
  Panel1 = new QFrame(page);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedSize(65, 25);
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Sunken);
  Panel1->setAutoFillBackground(true);
  SetHint(Panel1, QStringLiteral("Shows the colour of the current item"));
  Button3 = new QPushButton(QStringLiteral("Change"), page);
  Button3->setObjectName(QStringLiteral("Button3"));
  SetHint(Button3, QStringLiteral("Alter the currently selected item`s colour"));

  auto* controls = new QHBoxLayout;
  controls->addWidget(Label1);
  controls->addWidget(ComboBox1, 1);
  controls->addWidget(Panel1);
  controls->addWidget(Button3);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(PaintBox1, 0, Qt::AlignHCenter);
  layout->addLayout(controls);
  layout->addStretch();
  return page;
}

void TForm4::FormShow() {
  CheckBox1->setChecked(settings_.AweFilterOption);
  Edit1->setText(QString::fromStdString(settings_.ControlPanelPath));
}

void TForm4::FormActivate() {
  WorkingColours = ColoursOf(settings_.Colours);
  ComboBox1->setCurrentIndex(0);
  DrawPreview();
}

void TForm4::PageControl1Change() { DrawPreview(); }

void TForm4::ComboBox1Change() { ShowSwatch(); }

void TForm4::Button3Click() {
  const std::optional<Colour> chosen = dialogs_.ChooseColour(this, lastChosenColour_);
  if (!chosen) return;
  lastChosenColour_ = *chosen;
  WorkingColours[ComboBox1->currentIndex()] = *chosen;
  DrawPreview();
}

void TForm4::Button1Click() {
  settings_.Colours = ViewColoursOf(WorkingColours);
  settings_.ControlPanelPath = Edit1->text().toStdString();
  settings_.AweFilterOption = CheckBox1->isChecked();
  accept();
}

void TForm4::Button4Click() {
  FileDialogRequest request;
  request.title = QStringLiteral("Browse for Control Panel");
  // Programs on this system carry no name extension.
  request.filter = QStringLiteral("Programs|*.*");
  request.folder = BrowseFolder(Edit1->text());
  request.fileName = Edit1->text();
  const std::optional<QString> chosen = dialogs_.GetOpenFileName(this, request);
  if (chosen) Edit1->setText(*chosen);
}

void TForm4::DrawPreview() {
  const PreviewPicture picture(PaintBox1->width(), PaintBox1->height());
  const std::array<QRgb, 5> inks{ToQColor(WorkingColours[kBackground]).rgb(), QColor(Qt::black).rgb(),
                                 ToQColor(WorkingColours[kWaveform]).rgb(),
                                 ToQColor(WorkingColours[kCutLine]).rgb(),
                                 ToQColor(WorkingColours[kZeroLine]).rgb()};
  optionsPreview_ = QImage(picture.Width(), picture.Height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.Height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(optionsPreview_.scanLine(y));
    for (int x = 0; x < picture.Width(); ++x) row[x] = inks[static_cast<size_t>(picture.At(x, y))];
  }
  PaintBox1->SetPicture(optionsPreview_);
  ShowSwatch();
}

void TForm4::ShowSwatch() {
  const int item = ComboBox1->currentIndex();
  if (item < 0) return;
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::Window, ToQColor(WorkingColours[item]));
  Panel1->setPalette(palette);
}

}  // namespace slicewright
