#include "socle/reglages.h"

namespace reglages {

namespace {

Operations& installees()
{
    static Operations o;
    return o;
}

// Copied first: an operation may install the table again.
template <typename F, typename... A>
void appeler(const F& f, A&&... a)
{
    if (f) {
        const F copie = f;
        copie(std::forward<A>(a)...);
    }
}

} // namespace

void installer(Operations o)
{
    installees() = std::move(o);
}

void choisir_langue(int langue) { appeler(installees().choisir_langue, langue); }
void remplacer_barre_outils(int poignee) { appeler(installees().remplacer_barre_outils, poignee); }
void essayer_couleur(int k, int rgb) { appeler(installees().essayer_couleur, k, rgb); }
void garder_couleurs() { appeler(installees().garder_couleurs); }
void reprendre_couleurs() { appeler(installees().reprendre_couleurs); }
void lier_curseurs(bool lies) { appeler(installees().lier_curseurs, lies); }
void choisir_port(int numero) { appeler(installees().choisir_port, numero); }
void ajouter_fichier_recent(const QString& chemin) { appeler(installees().ajouter_fichier_recent, chemin); }
void choisir_repertoire_tableur(const QString& repertoire)
{
    appeler(installees().choisir_repertoire_tableur, repertoire);
}

} // namespace reglages
