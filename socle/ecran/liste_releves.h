// The readings list of the Data window: one text line per reading, each with
// a whole-number value (the reading's index). Appending a line and selecting
// it cost the same whatever the number of lines already listed.
#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QTableView>
#include <QVector>

class ModeleReleves : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void ajouter(const QString& ligne, int valeur);
    void ajouter(const QStringList& lignes);
    void vider();
    const QString& ligne(int j) const { return lignes_[j]; }
    int valeur(int j) const { return valeurs_[j]; }

private:
    QStringList lignes_;
    QVector<int> valeurs_;
};

class ListeReleves : public QTableView {
    Q_OBJECT
public:
    explicit ListeReleves(QWidget* parent = nullptr);
    // Appends a line; `valeur` -1 gives it its row number.
    void addItem(const QString& ligne, int valeur = -1);
    void addItems(const QStringList& lignes);
    int count() const;
    // Line j, an empty text outside the list.
    QString texte(int j) const;
    int valeur(int j) const;
    void clear();
    int currentRow() const;
    // Selects line j and brings it into view.
    void setCurrentRow(int j);
    void setFont(const QFont& f);

private:
    ModeleReleves* modele_;
};
