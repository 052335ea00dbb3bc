#include "socle/ecran/liste_releves.h"

#include <QHeaderView>

int ModeleReleves::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(lignes_.size());
}

QVariant ModeleReleves::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= lignes_.size())
        return {};
    if (role == Qt::DisplayRole)
        return lignes_[index.row()];
    if (role == Qt::UserRole)
        return valeurs_[index.row()];
    return {};
}

void ModeleReleves::ajouter(const QString& ligne, int valeur)
{
    int n = int(lignes_.size());
    beginInsertRows({}, n, n);
    lignes_.append(ligne);
    valeurs_.append(valeur < 0 ? n : valeur);
    endInsertRows();
}

void ModeleReleves::ajouter(const QStringList& lignes)
{
    if (lignes.isEmpty())
        return;
    int n = int(lignes_.size());
    beginInsertRows({}, n, n + int(lignes.size()) - 1);
    for (const QString& l : lignes) {
        valeurs_.append(int(lignes_.size()));
        lignes_.append(l);
    }
    endInsertRows();
}

void ModeleReleves::vider()
{
    beginResetModel();
    lignes_.clear();
    valeurs_.clear();
    endResetModel();
}

ListeReleves::ListeReleves(QWidget* parent) : QTableView(parent), modele_(new ModeleReleves(this))
{
    setModel(modele_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Fixed row heights keep positions a multiplication, not a layout pass.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFont(font());
}

void ListeReleves::setFont(const QFont& f)
{
    QTableView::setFont(f);
    QFontMetrics fm(f);
    verticalHeader()->setDefaultSectionSize(fm.height() + 2);
    // Room for a whole two-channel line.
    setColumnWidth(0, fm.horizontalAdvance(QString(62, '0')));
}

void ListeReleves::addItem(const QString& ligne, int valeur)
{
    modele_->ajouter(ligne, valeur);
}

void ListeReleves::addItems(const QStringList& lignes)
{
    modele_->ajouter(lignes);
}

int ListeReleves::count() const
{
    return modele_->rowCount();
}

QString ListeReleves::texte(int j) const
{
    return j >= 0 && j < count() ? modele_->ligne(j) : QString();
}

int ListeReleves::valeur(int j) const
{
    return j >= 0 && j < count() ? modele_->valeur(j) : -1;
}

void ListeReleves::clear()
{
    modele_->vider();
}

int ListeReleves::currentRow() const
{
    QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ListeReleves::setCurrentRow(int j)
{
    if (j < 0 || j >= count())
        return;
    QModelIndex i = modele_->index(j);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}
