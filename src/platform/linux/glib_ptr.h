// SPDX-FileCopyrightText: 2026 The Korvo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gio/gio.h>

#include <memory>

namespace korvo::platform {

// Owning pointers for the GLib objects the backends hold, so every early return frees them.
struct GLibDeleter {
    void operator()(GObject* object) const { g_object_unref(object); }
    void operator()(GSettings* settings) const { g_object_unref(settings); }
    void operator()(GSettingsBackend* backend) const { g_object_unref(backend); }
    void operator()(GDBusConnection* connection) const { g_object_unref(connection); }
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
    void operator()(GSettingsSchemaKey* key) const { g_settings_schema_key_unref(key); }
    void operator()(GVariant* value) const { g_variant_unref(value); }
    void operator()(GError* error) const { g_error_free(error); }
    void operator()(char* text) const { g_free(text); }
};

template <class T>
using GPtr = std::unique_ptr<T, GLibDeleter>;

}  // namespace korvo::platform
