"""World-object sprites: powerups and the hex nut, switches and doors, the editor-only helper
markers, creatures, the ghost ships, and the props the player stands on, pushes or uses.

Art sources are the grids of assets/sprites/objects/*.art; directions, colour styles and
animation frames are derived from them in code (objects_*.py).
"""
import objects_creatures
import objects_items
import objects_mechanisms
import objects_props
import objects_ships


def build(assets, out):
    parts = (objects_items, objects_mechanisms, objects_props, objects_creatures, objects_ships)
    for part in parts:
        part.build(assets, out)
