#pragma once

// tinyproxy on loopback in the foreground, killed with the object.

#include "ListeningChild.h"

class TinyProxy : public ListeningChild
{
public:
    // Empty when it listens; otherwise what went wrong. basicAuth: "user password" or empty.
    QString start(const QString& folder, const QString& basicAuth);
};
