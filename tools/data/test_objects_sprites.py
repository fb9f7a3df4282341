"""Checks of the world-object sprites that the game's own parser cannot make: geometry of the
turned and mirrored variants, boxes that match what is drawn, the plain areas the game prints
on, and a rebuild that changes nothing.

Run: /usr/bin/python3 -m unittest discover -s tools/data -p "test_objects_*.py"
"""
import pathlib
import unittest

from PIL import Image

import objects_common as common
import objects_creatures
import objects_mechanisms
import objects_props
import palette
import pixelart
import sprites

ASSETS = pathlib.Path(__file__).resolve().parents[2] / "assets"


def opaque_box(image):
    """The inclusive box around the opaque pixels."""
    left, top, right, bottom = image.getbbox()
    return (left, top, right - 1, bottom - 1)


def centre_of(image, names):
    """The mean position of the pixels in the named palette colours."""
    wanted = {palette.PALETTE[name] for name in names}
    points = [
        (x, y)
        for y in range(image.height)
        for x in range(image.width)
        if image.getpixel((x, y))[3] and image.getpixel((x, y))[:3] in wanted
    ]
    return (sum(x for x, _ in points) / len(points), sum(y for _, y in points) / len(points))


def by_name(animations):
    return {animation.name: animation for animation in animations}


class GeometryTest(unittest.TestCase):
    def test_turned_flipped_and_mirrored_boxes_follow_their_pictures(self):
        picture = Image.new("RGBA", (12, 7), (0, 0, 0, 0))
        picture.paste((1, 2, 3, 255), (2, 1, 5, 6))
        box = opaque_box(picture)
        for turns in range(5):
            turned = common.rotated(picture, turns)
            self.assertEqual(opaque_box(turned), common.rotated_box(box, picture.size, turns))
        self.assertEqual(
            opaque_box(common.flipped(picture)), common.flipped_box(box, picture.height)
        )
        animation = sprites.Animation("walkRight", [sprites.Frame(picture, 1, [box])])
        mirrored = sprites.mirrored_animation(animation, "walkLeft").frames[0]
        self.assertEqual(opaque_box(mirrored.image), mirrored.boxes[0])

    def test_snail_heads_its_way_and_clings_to_the_surface_opposite_its_shell(self):
        snail = objects_creatures.snail(common.read_art(ASSETS, "creatures"))
        unit = {"up": (0, -1), "down": (0, 1), "left": (-1, 0), "right": (1, 0)}
        for animation in snail:
            way = next(word for word in unit if animation.name.startswith(word))
            side = animation.name[len(way):].lower()
            frame = animation.frames[0]
            shell_x, shell_y = centre_of(frame.image, ("gold", "orange"))
            body_x, body_y = centre_of(frame.image, ("lime", "grass"))
            (side_x, side_y), (way_x, way_y) = unit[side], unit[way]
            name = animation.name
            self.assertGreater((shell_x - body_x) * side_x + (shell_y - body_y) * side_y, 0, name)
            self.assertGreater((body_x - shell_x) * way_x + (body_y - shell_y) * way_y, 0, name)
            left, top, right, bottom = opaque_box(frame.image)
            box = frame.boxes[0]
            self.assertTrue(box[0] <= left and box[1] <= top, name)
            self.assertTrue(right <= box[2] and bottom <= box[3], name)


class DoorTest(unittest.TestCase):
    def setUp(self):
        self.arts = common.read_art(ASSETS, "mechanisms")

    def test_toggle_door_blocks_exactly_where_its_stone_is(self):
        door = by_name(objects_mechanisms.toggle_door(self.arts))
        for animation in door.values():
            for frame in animation.frames:
                self.assertEqual(frame.boxes[0], opaque_box(frame.image), animation.name)
        self.assertEqual(door["opening"].frames[-1].image, door["open"].frames[0].image)
        self.assertEqual(door["closing"].frames[-1].image, door["default"].frames[0].image)
        open_box = door["open"].frames[0].boxes[0]
        self.assertLessEqual(open_box[3] - open_box[1] + 1, 8, "an open door must let one pass")

    def test_inhabitant_door_leaves_plain_areas_for_its_icon_and_number(self):
        door = by_name(objects_mechanisms.npc_door(self.arts))
        icon_plate = (2, 2, 14, 19)
        number_plate = (3, 35, 13, 44)
        for animation in door.values():
            for frame in animation.frames:
                plate = frame.image.crop(icon_plate)
                self.assertEqual(len(plate.getcolors()), 1, animation.name)
        closed = door["closed"].frames[0].image
        self.assertEqual(len(closed.crop(number_plate).getcolors()), 1)


class PropTest(unittest.TestCase):
    def test_switch_lever_sweeps_from_off_to_on_and_back(self):
        switch = by_name(objects_mechanisms.flip_switch(common.read_art(ASSETS, "mechanisms")))

        def knob_x(animation):
            return [centre_of(frame.image, ("gold",))[0] for frame in switch[animation].frames]

        turning_on = knob_x("off") + knob_x("turning_on") + knob_x("on")
        self.assertEqual(turning_on, sorted(set(turning_on)))
        turning_off = knob_x("on") + knob_x("turning_off") + knob_x("off")
        self.assertEqual(turning_off, sorted(set(turning_off), reverse=True))

    def test_bridge_deck_box_is_the_walkable_top_of_the_planks(self):
        front, back = objects_props.bridge()
        left, top, right, bottom = front.frames[0].boxes[0]
        picture = front.frames[0].image
        self.assertEqual((left, right), (0, picture.width - 1))
        for x in range(picture.width):
            self.assertTrue(all(picture.getpixel((x, y))[3] for y in range(top, bottom + 1)), x)
        self.assertEqual(picture.getpixel((picture.width // 2, top - 1))[3], 0, "deck top")
        self.assertEqual(back.frames[0].boxes, front.frames[0].boxes)


class ColourTest(unittest.TestCase):
    def test_every_pickle_style_is_painted_in_exactly_its_own_shades(self):
        blocks = by_name(objects_mechanisms.pickle_block(common.read_art(ASSETS, "mechanisms")))
        for style, ramp in common.RAMPS.items():
            picture = blocks[style].frames[0].image
            used = {common.colour_name(pixel) for _, pixel in picture.getcolors() if pixel[3]}
            self.assertEqual(used, set(ramp) | {"ink"}, style)

    def test_teleport_lights_its_bulbs_pair_by_pair_and_stays_lit(self):
        _, back = objects_props.teleport()
        back = by_name(back)

        def lit_pixels(frame):
            return sum(count for count, pixel in frame.image.getcolors()
                       if pixel[3] and common.colour_name(pixel) in ("lemon", "white"))

        counts = [lit_pixels(frame) for frame in back["lightUp"].frames]
        self.assertEqual(lit_pixels(back["default"].frames[0]), 0)
        self.assertEqual(counts, sorted(set(counts)), "each frame lights more")
        steps = {later - earlier for earlier, later in zip([0] + counts, counts)}
        self.assertEqual(len(steps), 1, "every step lights one pair of bulbs")
        for frame in back["lit"].frames:
            self.assertGreaterEqual(lit_pixels(frame), counts[-1])


class CheckTest(unittest.TestCase):
    def test_check_refuses_stray_boxes_colours_and_stalled_frames(self):
        picture = Image.new("RGBA", (4, 4), palette.rgba("ink"))
        good = sprites.Frame(picture, 1, [sprites.full_box(4, 4)])
        common.check_animations("ok.txt", [sprites.Animation("a", [good])])
        outside = sprites.Frame(picture, 1, [sprites.box(0, 0, 4, 3)])
        stray = sprites.Frame(Image.new("RGBA", (4, 4), (1, 2, 3, 255)), 1, good.boxes)
        for frames in ([outside], [stray], [good, good]):
            with self.assertRaises(ValueError):
                common.check_animations("bad.txt", [sprites.Animation("a", frames)])

    def test_shine_lights_every_coloured_pixel_and_never_the_outline(self):
        icon = pixelart.outlined(common.read_art(ASSETS, "powerups")["hexNut"])
        sweep = common.shine_sweep(icon)
        touched = set()
        for lit in sweep:
            for y in range(icon.height):
                for x in range(icon.width):
                    before, after = icon.getpixel((x, y)), lit.getpixel((x, y))
                    if before != after:
                        self.assertNotEqual(before[:3], palette.PALETTE["ink"])
                        touched.add((x, y))
        coloured = {
            (x, y)
            for y in range(icon.height)
            for x in range(icon.width)
            if icon.getpixel((x, y))[3] and common.colour_name(icon.getpixel((x, y))) != "ink"
        }
        self.assertEqual(touched, coloured)


if __name__ == "__main__":
    unittest.main()
