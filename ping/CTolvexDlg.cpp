#include "CTolvexDlg.h"

#include <algorithm>

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTimerEvent>
#include <QTreeWidget>

#include "CHostCombo.h"

// The artwork is compiled into this library; make sure it is linked in.
static void InitTolvexResources() { Q_INIT_RESOURCE(tolvex); }

namespace tervane {

namespace {

constexpr int kBusyPeriodMs = 100;
constexpr int kMarkerStep = 20;
constexpr const char* kHistoryGroup = "MRU";

// The images of the result list, by line kind.
constexpr const char* kImageFiles[] = {
    ":/tolvex/warning.svg",  ":/tolvex/computer-network.svg", ":/tolvex/computer.svg",
    ":/tolvex/clock-alert.svg", ":/tolvex/rule.svg",
};

QPixmap RenderSvg(const QString& file, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(file);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

// Converts the dialog's layout units (a quarter of the average character
// width across, an eighth of the character height down) to pixels.
class LayoutUnits {
 public:
  explicit LayoutUnits(const QFont& font) {
    const QFontMetrics fm(font);
    const int alphabet =
        fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (alphabet / 26 + 1) / 2;
    m_baseY = fm.height();
  }
  int X(int units) const { return (units * m_baseX + 2) / 4; }
  int Y(int units) const { return (units * m_baseY + 4) / 8; }
  QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }

 private:
  int m_baseX;
  int m_baseY;
};

}  // namespace

CTolvexDlg::CTolvexDlg(const QString& commandLine, QWidget* parent) : QDialog(parent) {
  InitTolvexResources();
  BuildControls();
  OnInitDialog(commandLine);
}

CTolvexDlg::~CTolvexDlg() {
  std::lock_guard lock(m_sinkMutex);
  m_bSinkOpen = false;
}

void CTolvexDlg::BuildControls() {
  setWindowTitle(QStringLiteral("Tolvex"));
  const LayoutUnits du(font());

  auto* hostsLabel = new QLabel(QStringLiteral("Hosts"), this);
  m_pHostCombo = new CHostCombo(this);
  auto* retriesLabel = new QLabel(QStringLiteral("Retries:"), this);
  m_pRetries = new QSpinBox(this);
  m_pResultList = new QTreeWidget(this);
  m_pPingButton = new QPushButton(QStringLiteral("&Ping"), this);
  m_pCloseButton = new QPushButton(QStringLiteral("&Close"), this);

  m_pRetries->setGeometry(du.Rect(199, 7, 37, 14));
  m_pHostCombo->setGeometry(du.Rect(31, 7, 140, 14));
  // The labels keep their places, but where this font needs more room than
  // the layout gives, "Retries:" grows to the left and the host box yields.
  const auto placeLabel = [&du](QLabel* label, int x, int y, int w, int right) {
    const int needed = label->sizeHint().width();
    QRect r = du.Rect(x, y, w, 8);
    if (r.width() < needed) r.setLeft(right - needed);
    r.setHeight(std::max(r.height(), label->sizeHint().height()));
    label->setGeometry(r);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  };
  placeLabel(hostsLabel, 11, 10, 18, m_pHostCombo->x() - 2);
  placeLabel(retriesLabel, 175, 10, 24, m_pRetries->x() - 2);
  if (retriesLabel->x() < m_pHostCombo->geometry().right() + 4)
    m_pHostCombo->setFixedWidth(retriesLabel->x() - 4 - m_pHostCombo->x());
  if (hostsLabel->x() < 2) hostsLabel->move(2, hostsLabel->y());
  // Labels are centred on their control.
  hostsLabel->move(hostsLabel->x(), m_pHostCombo->y() + (m_pHostCombo->height() - hostsLabel->height()) / 2);
  retriesLabel->move(retriesLabel->x(), m_pRetries->y() + (m_pRetries->height() - retriesLabel->height()) / 2);
  hostsLabel->setBuddy(m_pHostCombo);
  retriesLabel->setBuddy(m_pRetries);
  m_pRetries->setAlignment(Qt::AlignRight);
  m_pResultList->setGeometry(du.Rect(7, 23, 232, 89));
  m_pPingButton->setGeometry(du.Rect(131, 114, 50, 14));
  m_pCloseButton->setGeometry(du.Rect(187, 114, 50, 14));
  setFixedSize(du.X(247), du.Y(135));

  // Tab order as laid out: hosts, retries, results, Ping, Close.
  setTabOrder(m_pHostCombo, m_pRetries);
  setTabOrder(m_pRetries, m_pResultList);
  setTabOrder(m_pResultList, m_pPingButton);
  setTabOrder(m_pPingButton, m_pCloseButton);

  m_pResultList->setColumnCount(1);
  m_pResultList->setHeaderLabels({QStringLiteral("Status")});
  m_pResultList->setRootIsDecorated(false);
  m_pResultList->setSortingEnabled(false);
  m_pResultList->setIconSize(QSize(16, 16));
  m_pResultList->setUniformRowHeights(true);
  m_pResultList->header()->setSectionsClickable(false);
  m_pResultList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_pResultList->header()->setStretchLastSection(true);

  m_pPingButton->setDefault(true);
  m_pPingButton->setAutoDefault(true);
  m_pCloseButton->setAutoDefault(false);
  connect(m_pPingButton, &QPushButton::clicked, this, [this] { OnPing(); });
  connect(m_pCloseButton, &QPushButton::clicked, this, [this] { reject(); });

  // The busy line runs along the bottom left, level with the buttons.
  m_ptLineStart = QPoint(du.X(7), du.Y(121));
  m_ptLineEnd = QPoint(du.X(123), du.Y(121));
}

void CTolvexDlg::OnInitDialog(const QString& commandLine) {
  {
    QSettings profile;
    profile.beginGroup(QLatin1String(kHistoryGroup));
    // A damaged count must not make the start wait for billions of empty
    // entries: no more are read than the profile holds host values.
    const QStringList keys = profile.childKeys();
    const auto stored = std::count_if(keys.cbegin(), keys.cend(),
                                      [](const QString& key) { return key.startsWith(QLatin1String("Host#")); });
    const int entries = std::min<qsizetype>(profile.value(QStringLiteral("Entries"), 0).toInt(), stored);
    for (int i = 0; i < entries; ++i)
      m_pHostCombo->AddString(profile.value(QString::asprintf("Host#%d", i), QString()).toString());
  }
  m_pHostCombo->InsertString(0, commandLine);
  m_pHostCombo->setCurrentIndex(0);

  for (const char* file : kImageFiles) m_imageList.emplace_back(RenderSvg(QString::fromLatin1(file), 16));

  for (int size : {16, 32, 48}) m_hIcon.addPixmap(RenderSvg(QStringLiteral(":/tolvex/tolvex.svg"), size));
  setWindowIcon(m_hIcon);

  m_rcBand = QRect(QPoint(m_ptLineStart.x(), m_ptLineStart.y() - 3),
                   QPoint(m_ptLineEnd.x(), m_ptLineStart.y() + 3));
  // Also the square's own half width at either end, so that no part of it
  // is left behind when it moves.
  m_rcBand.adjust(-4, 0, 4, 0);

  m_pRetries->setRange(1, 99);
  m_pRetries->setValue(5);

  OnPing();
}

void CTolvexDlg::OnPing() {
  m_pHostCombo->setEnabled(false);
  m_pRetries->setEnabled(false);
  m_pPingButton->setEnabled(false);

  const auto count = static_cast<std::uint32_t>(m_pRetries->value());

  if (m_pResultList->topLevelItemCount() > 0) OnPingLine(kPingLineSeparator, QString());

  const QString host = m_pHostCombo->WindowText();
  m_worker.Start(count, host.toStdString(), this);

  m_nMarkerX = m_ptLineStart.x();
  m_nMarkerStep = kMarkerStep;
  m_busyTimer.start(kBusyPeriodMs, this);
  m_bBusy = true;
}

void CTolvexDlg::OnPingLine(int kind, const QString& text) {
  auto* item = new QTreeWidgetItem(m_pResultList, {text});
  if (kind >= 0 && static_cast<std::size_t>(kind) < m_imageList.size())
    item->setIcon(0, m_imageList[static_cast<std::size_t>(kind)]);
  m_pResultList->scrollToItem(item, QAbstractItemView::EnsureVisible);
}

void CTolvexDlg::OnPingDone(int resolved) {
  m_pHostCombo->setEnabled(true);
  m_pRetries->setEnabled(true);
  m_pPingButton->setEnabled(true);
  m_bBusy = false;
  update(m_rcBand);
  m_busyTimer.stop();

  if (resolved == 1) {
    const QString host = m_pHostCombo->WindowText();
    if (m_pHostCombo->FindStringExact(host) < 0) m_pHostCombo->AddString(host);
    m_pHostCombo->setFocus();
  }
}

void CTolvexDlg::reject() {
  QSettings profile;
  profile.beginGroup(QLatin1String(kHistoryGroup));
  const int entries = m_pHostCombo->count();
  profile.setValue(QStringLiteral("Entries"), entries);
  for (int i = 0; i < entries; ++i)
    profile.setValue(QString::asprintf("Host#%d", i), m_pHostCombo->itemText(i));
  profile.endGroup();
  profile.sync();
  QDialog::reject();
}

void CTolvexDlg::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(m_ptLineStart, m_ptLineEnd);
    if (m_bBusy) {
      painter.setBrush(QColor(255, 0, 0));
      painter.drawRect(QRect(QPoint(m_nMarkerX - 3, m_ptLineEnd.y() - 3),
                             QPoint(m_nMarkerX + 3, m_ptLineEnd.y() + 3)));
    }
  }
  QDialog::paintEvent(event);
}

void CTolvexDlg::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_busyTimer.timerId()) {
    QDialog::timerEvent(event);
    return;
  }
  m_nMarkerX += m_nMarkerStep;
  update(m_rcBand);
  if (m_nMarkerX > m_ptLineEnd.x()) {
    m_nMarkerStep = -kMarkerStep;
    m_nMarkerX = m_ptLineEnd.x() - 5;
  }
  if (m_nMarkerX < m_ptLineStart.x()) {
    m_nMarkerStep = kMarkerStep;
    m_nMarkerX = m_ptLineStart.x() + 5;
  }
}

void CTolvexDlg::PostLine(int kind, std::string text) {
  std::lock_guard lock(m_sinkMutex);
  if (!m_bSinkOpen) return;
  QMetaObject::invokeMethod(
      this, [this, kind, line = QString::fromStdString(text)] { OnPingLine(kind, line); },
      Qt::QueuedConnection);
}

void CTolvexDlg::PostDone(int resolved) {
  std::lock_guard lock(m_sinkMutex);
  if (!m_bSinkOpen) return;
  QMetaObject::invokeMethod(this, [this, resolved] { OnPingDone(resolved); }, Qt::QueuedConnection);
}

}  // namespace tervane
