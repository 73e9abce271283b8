#pragma once
// The framework's own English texts.

/// Registers the framework's strings with the resource registry.
void RegisterFrameworkStrings();
