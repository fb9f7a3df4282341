// EditorObjectEdit: editing the selected world object field by field, removing it, and picking a
// teleport's destination on another map.
#pragma once

// Builds one widget set per editable field of the selected object, stacked from the top, and
// the "Done" button below them.
void objectEditModeInit();
// One step of object edit: the widget sets, then "Done", which ends the edit.
void objectEditModeLogic();
// Draws the widget sets and the "Done" button.
void objectEditModeDraw();

// Starts or ends object edit of the selected object (nothing without one).
void editorLogicToggleObjectEdit(void*);
// Lets the user pick the selected teleport's destination on another map.
void editorLogicToggleObjectSpecialEdit(void*);
// Destroys the selected object.
void editorLogicRemoveSelectedObject(void*);
