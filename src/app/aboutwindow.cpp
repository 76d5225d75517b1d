#include "app/aboutwindow.h"

#include "platform/keyboard.h"

#include <QLabel>
#include <QPushButton>
#include <QSvgWidget>
#include <QVBoxLayout>

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("   Information"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(14);

    auto *picture = new QSvgWidget(QStringLiteral(":/pictures/about.svg"), this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(160, 120);
    platform::MarkDecorative(picture);
    layout->addWidget(picture, 0, Qt::AlignHCenter);

    auto *product = new QLabel(QStringLiteral("Vocanto Version 8"), this);
    product->setObjectName(QStringLiteral("Label1"));
    QFont productFont = product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.3);
    product->setFont(productFont);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Enter, Space or Escape closes it at once.
    ok->setFocus();

    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}
