#include "EditorObjectEditWidgetSet.h"

EditorObjectEditWidgetSet::~EditorObjectEditWidgetSet() = default;
