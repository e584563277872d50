#pragma once
// A window's reactions to the signals of its controls, connected so that nothing they throw
// reaches the toolkit (which would end the program): a failure is reported with the error box
// of its prefix, the reaction ends there, and the program goes on.
#include "platform/forms/erreurs_boites.h"
#include <QObject>
#include <functional>
#include <type_traits>
#include <utility>

namespace forms {

namespace detail {
// A reaction takes all the signal's arguments or none; a member function is called on `objet`.
template <typename Reaction, typename Objet, typename... Args>
void appeler(Reaction& reaction, Objet* objet, Args&&... args) {
    if constexpr (std::is_member_function_pointer_v<Reaction>) {
        if constexpr (std::is_invocable_v<Reaction&, Objet*, Args...>)
            std::invoke(reaction, objet, std::forward<Args>(args)...);
        else
            std::invoke(reaction, objet);
    } else {
        if constexpr (std::is_invocable_v<Reaction&, Args...>)
            std::invoke(reaction, std::forward<Args>(args)...);
        else
            std::invoke(reaction);
    }
}
}  // namespace detail

// QObject::connect(emetteur, signal, objet, reaction, type), the reaction always run through
// pieger() with `prefixe`. `reaction` is a callable or a member function of `objet`'s class.
template <typename Emetteur, typename Signal, typename Objet, typename Reaction>
QMetaObject::Connection relier(Emetteur* emetteur, Signal signal, Objet* objet, Reaction reaction,
                               Qt::ConnectionType type = Qt::AutoConnection, Prefixe prefixe = Prefixe::Logiciel) {
    return QObject::connect(
        emetteur, signal, objet,
        [objet, reaction, prefixe](auto&&... args) mutable {
            pieger([&] { detail::appeler(reaction, objet, std::forward<decltype(args)>(args)...); }, prefixe);
        },
        type);
}

template <typename Emetteur, typename Signal, typename Objet, typename Reaction>
QMetaObject::Connection relier(Emetteur* emetteur, Signal signal, Objet* objet, Reaction reaction, Prefixe prefixe) {
    return relier(emetteur, signal, objet, std::move(reaction), Qt::AutoConnection, prefixe);
}

}  // namespace forms
