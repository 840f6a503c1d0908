#pragma once

#include <QByteArray>
#include <QString>

// The text-popup topics file of a help file ("CSHelp.txt"): each topic starts
// with a line ".topic <number>" and runs to the next such line.
namespace PopupTopics {

// The topic's text without its trailing blank lines; empty when the file has
// no topic of that number.
QString text(const QByteArray &topicsFile, quint32 id);

} // namespace PopupTopics
