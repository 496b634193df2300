#include "shell/card_print_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <algorithm>

#include "views/card_sheets.h"

namespace palabrum {

namespace {

// The texts of this file, for the translation tools and at run time.
struct CardPrintDialog {
    Q_DECLARE_TR_FUNCTIONS(CardPrintDialog)
};

}  // namespace

bool AskToPrintCards(QWidget* parent, QPrinter& printer, CardRun& run) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(CardPrintDialog::tr("Print Cards"));
    // Each card is a fresh deal: the pages of one run differ, so there is nothing to pick from.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    auto* cards = new QWidget;
    cards->setWindowTitle(CardPrintDialog::tr("Cards"));
    auto* count = new QSpinBox(cards);
    count->setRange(1, kMaxCards);
    count->setValue(run.count);
    auto* perSheet = new QComboBox(cards);
    for (int n : {1, 2, 4}) perSheet->addItem(QString::number(n), n);
    perSheet->setCurrentIndex(std::max(0, perSheet->findData(run.perSheet)));
    auto* form = new QFormLayout(cards);
    form->addRow(CardPrintDialog::tr("&Number of cards:"), count);
    form->addRow(CardPrintDialog::tr("Cards per &sheet:"), perSheet);
    dialog.setOptionTabs({cards});
    if (dialog.exec() != QDialog::Accepted) return false;
    run = {count->value(), perSheet->currentData().toInt()};
    return true;
}

}  // namespace palabrum
