#include "ui/search_dialog.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "ui/dialog_units.h"
#include "ui/list_model.h"
#include "ui/qt_text.h"

namespace vesko::ui {

namespace {

constexpr double kDialogHeight = 156;
constexpr double kButtonWidth = 50;
constexpr double kButtonHeight = 14;
constexpr double kListHeight = 111;

}  // namespace

SearchDialog::SearchDialog(CSearchDlg& form, QWidget* parent) : QDialog(parent), m_form(form) {
    const SearchTraits& traits = form.Traits();
    const DialogUnits units = DialogUnits::FromFont(font());
    setWindowTitle(ToQString(traits.title));
    setFixedSize(units.Size(traits.width, kDialogHeight));

    auto* label = new QLabel(ToQString(traits.label), this);
    label->setGeometry(units.Rect(9, 8, 86, 8));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("search.text"));
    m_text->setGeometry(units.Rect(9, 20, traits.editWidth, 14));
    if (traits.maxLength > 0) {
        m_text->setMaxLength(traits.maxLength);
    }

    const double buttonX = traits.width - kButtonWidth - 7;
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setGeometry(units.Rect(buttonX, 7, kButtonWidth, kButtonHeight));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setGeometry(units.Rect(buttonX, 24, kButtonWidth, kButtonHeight));
    cancel->setAutoDefault(false);

    m_results = new QTableView(this);
    m_results->setObjectName(QStringLiteral("search.results"));
    const bool program = traits.kind == SearchKind::Program;
    m_results->setGeometry(units.Rect(7, program ? 38 : 41, traits.listWidth, kListHeight));
    m_results->setModel(new DragListModel(form.Results(), m_results));
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setShowGrid(true);
    m_results->setWordWrap(false);
    m_results->verticalHeader()->hide();
    m_results->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_results->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < static_cast<int>(traits.columns.size()); ++column) {
        m_results->setColumnWidth(column, traits.columns[static_cast<std::size_t>(column)].width);
    }

    connect(m_text, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_form.SetText(text.toStdU16String()); });
    connect(m_results, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { OnPick(index.row()); });
    connect(m_ok, &QPushButton::clicked, this, &SearchDialog::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_text->setText(ToQString(form.Text()));
    m_text->selectAll();
    m_text->setFocus();
}

int SearchDialog::SelectedResult() const {
    const QModelIndexList rows = m_results->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SearchDialog::OnOk() {
    if (m_form.Ok(SelectedResult())) {
        accept();
    }
}

void SearchDialog::OnPick(int row) {
    if (m_form.Pick(row)) {
        accept();
    }
}

}  // namespace vesko::ui
