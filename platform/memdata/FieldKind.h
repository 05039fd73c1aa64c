#pragma once

enum class FieldKind { Text, DateTime, Integer };
