#include "app/CAboutDlg.h"

#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "platform/DialogUnits.h"

namespace vorenx {

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setBrush(QColor(40, 40, 40));
    p.setPen(QPen(QColor(200, 200, 200), s / 16));
    p.drawRoundedRect(QRectF(s * 0.1, s * 0.05, s * 0.8, s * 0.9), s / 8, s / 8);
    p.setBrush(QColor(140, 190, 120));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(s * 0.2, s * 0.15, s * 0.6, s * 0.35));
    p.setPen(QPen(QColor(30, 60, 30), s / 16));
    p.drawLine(QPointF(s * 0.25, s * 0.42), QPointF(s * 0.45, s * 0.25));
    p.drawLine(QPointF(s * 0.45, s * 0.25), QPointF(s * 0.75, s * 0.38));
    p.setBrush(QColor(220, 90, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(s * 0.5, s * 0.72), s * 0.12, s * 0.12);
  }
  return icon;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("关于 Vorenx"));
  setModal(true);
  const QFont font = DialogFont(9);
  setFont(font);
  const DialogBaseUnits units = BaseUnitsOf(font);
  setFixedSize(MapDialogRect(units, 0, 0, 170, 62).size());

  m_icon = new QLabel(this);
  m_icon->setObjectName(QStringLiteral("icon"));
  const QRect iconRect = MapDialogRect(units, 14, 14, 21, 20);
  m_icon->setPixmap(ApplicationIcon().pixmap(32, 32));
  m_icon->setGeometry(QRect(iconRect.topLeft(), QSize(32, 32)));

  m_text = new QLabel(QStringLiteral("Vorenx，1.0 版"), this);
  m_text->setObjectName(QStringLiteral("text"));
  m_text->setGeometry(MapDialogRect(units, 42, 14, 114, 8));

  m_ok = new QPushButton(QStringLiteral("确定"), this);
  m_ok->setObjectName(QStringLiteral("ok"));
  m_ok->setGeometry(MapDialogRect(units, 113, 41, 50, 14));
  m_ok->setDefault(true);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace vorenx
