#include "socle/commandes.h"

#include <map>

namespace {
std::map<Commande, ActionCommande>& table()
{
    static std::map<Commande, ActionCommande> t;
    return t;
}
} // namespace

void fixer_commande(Commande c, ActionCommande action)
{
    table()[c] = std::move(action);
}

bool commander(Commande c)
{
    // Copied first: the action may fill the table again (a new start-up).
    const auto it = table().find(c);
    if (it == table().end() || !it->second)
        return true;
    const ActionCommande action = it->second;
    return action();
}
