// What a step that can fail came to, with the message the user sees.
#pragma once

#include <QString>
#include <utility>

struct Outcome
{
    enum Kind {
        Done,
        Declined, // nothing changed and nothing to report: the user said no, or there was nothing to do
        Failed,
    };
    Kind kind = Done;
    QString message; // why it failed; when done, a warning or empty

    bool done() const { return kind == Done; }
    static Outcome failed(QString message) { return {Failed, std::move(message)}; }
    static Outcome declined() { return {Declined, {}}; }
};
