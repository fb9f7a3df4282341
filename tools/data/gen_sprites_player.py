"""The player character: every animation of playerCompiled.txt, both the body and the hands that
the game draws over a carried object.

The parts live in assets/sprites/player/player.art, drawn facing right without an outline. A pose
stacks them on a 14x22 canvas, which the ink outline turns into a 16x24 frame; the arm in front
comes last, with an outline of its own so it reads over the coat. Left-facing animations are
mirror images. Carrying variants keep the legs and swap the arms for raised ones, and the hands
sprite of a pose is its hands alone.
"""
import dataclasses
import random

from PIL import Image

import palette
import pixelart
import sprites
from sprites import Animation, Frame, box

FRAME_SIZE = (16, 24)
# The same box on every body frame keeps collisions steady; it is its own mirror image.
BODY_BOX = box(3, 2, 12, 23)
CANVAS_SIZE = (FRAME_SIZE[0] - 2, FRAME_SIZE[1] - 2)
# Climbing rises above the frame: a taller canvas whose standard frame starts 24 pixels down.
CLIMB_CANVAS = (22, 46)
CLIMB_ORIGIN = (0, 24)
# Lying down is wider than the player: a wider canvas centred on the player.
LYING_CANVAS = (22, 22)
LYING_OFFSET = (-4, 0)
# The carry anchors put an object of this size centred on the raised hands.
CARRIED_SIZE = (16, 16)

CLEAR = (0, 0, 0, 0)
BEHIND = {"sea": "deep", "skin": "sand"}  # the far arm is in the shade
SKIN = palette.rgba("skin")  # faces and hands
EYE = palette.rgba("night")  # only eyes use this colour, so blinking finds them by it


# Poses -------------------------------------------------------------------------------------------

@dataclasses.dataclass(frozen=True)
class Part:
    """An art part with the canvas position of its top-left pixel; mirrored parts face left."""

    name: str
    x: int
    y: int
    mirrored: bool = False


@dataclasses.dataclass(frozen=True)
class Pose:
    """A picture of the player: the body parts back to front, then the arm behind the body and
    the arm in front of it (either may be None), then small extras drawn over everything."""

    body: tuple
    back_arm: Part = None
    front_arm: Part = None
    eyes_closed: bool = False
    extras: tuple = ()

    def with_arms(self, back_arm, front_arm):
        return dataclasses.replace(self, back_arm=back_arm, front_arm=front_arm)

    def with_eyes_closed(self):
        return dataclasses.replace(self, eyes_closed=True)


def arm(name, shoulder, dx=0, dy=0, mirrored=False):
    return Part(name, shoulder[0] + dx, shoulder[1] + dy, mirrored)


def figure(legs, legs_at, drop=0, lean=0, head="head", scarf="scarfHang", back=None, front=None,
           satchel="satchel", satchel_in_front=False):
    """An upright figure: legs at legs_at, the torso drop pixels lower and lean pixels further
    forward than standing, the head above it. back and front are (arm part, dx, dy) relative to
    the shoulders, or None."""
    torso = (3 + lean, 10 + drop)
    scarf_spots = {"scarfHang": (2, 11), "scarfWave": (0, 10), "scarfFly": (0, 8)}
    scarf_x, scarf_y = scarf_spots[scarf]
    satchel_at = (torso[0] + (6 if satchel_in_front else -1), torso[1] + 3)
    body = (
        Part(scarf, scarf_x + lean, scarf_y + drop),
        Part("torso", *torso),
        Part(legs, *legs_at),
        Part(satchel, *satchel_at),
        Part(head, torso[0], torso[1] - 8),
    )
    back_shoulder = (torso[0] + 2, torso[1] + 1)
    front_shoulder = (torso[0] + 4, torso[1] + 1)
    return Pose(
        body,
        arm(back[0], back_shoulder, *back[1:]) if back else None,
        arm(front[0], front_shoulder, *front[1:]) if front else None,
    )


def holding(pose):
    """The pose with both arms raised beside the head, hands ready under a carried object."""
    head = next(part for part in pose.body if part.name.startswith("head"))
    return pose.with_arms(
        Part("armHold", head.x - 2, head.y - 1, mirrored=True),
        Part("armHold", head.x + 7, head.y - 1),
    )


def swap_legs(pose):
    """The pose with the other leg forward: the legs' colours trade places."""
    return dataclasses.replace(pose, body=tuple(
        dataclasses.replace(part, name=part.name + ":swapped") if part.name.startswith("legs")
        else part
        for part in pose.body
    ))


def shifted(pose, dx, dy):
    """The pose moved by (dx, dy) on its canvas."""
    def move(part):
        return part and dataclasses.replace(part, x=part.x + dx, y=part.y + dy)

    return Pose(tuple(move(part) for part in pose.body), move(pose.back_arm),
                move(pose.front_arm), pose.eyes_closed, tuple(move(part) for part in pose.extras))


DOWN = ("armDown", 0, 0)
FORWARD = ("armForward", 0, 0)
BACK = ("armBack", -2, 0)


def running_poses():
    """Six frames; 1 and 4 put a foot down, which is when the game plays the footsteps. The
    second half is the first with the other leg and the other arm forward."""
    steps = (
        ("legsPass", (3, 16), -1, "scarfWave", DOWN, DOWN),
        ("legsStride", (2, 17), 0, "scarfWave", FORWARD, BACK),
        ("legsPush", (3, 17), 0, "scarfFly", FORWARD, BACK),
    )
    first = [figure(legs, at, drop, scarf=scarf, back=back, front=front)
             for legs, at, drop, scarf, back, front in steps]
    second = [swap_legs(figure(legs, at, drop, scarf=scarf, back=front, front=back))
              for legs, at, drop, scarf, back, front in steps]
    return first + second


def climbing_poses():
    """Pulling up over a ledge at the top right: the body rises above the frame, so these poses
    sit on a taller canvas whose standard frame starts at CLIMB_ORIGIN."""
    pulled = figure("legsHang", (3, 16), lean=-1, head="headUp", back=("armPull", 1, -4),
                    front=("armPull", 0, -4))
    over = figure("legsTuck", (3, 15), lean=1, head="headUp", back=DOWN, front=("armDown", 1, -1))
    crouched = figure("legsCrouch", (3, 19), drop=3, lean=1, back=DOWN, front=DOWN)
    origin_x, origin_y = CLIMB_ORIGIN
    return [
        shifted(pose, origin_x + dx, origin_y + dy)
        for pose, (dx, dy) in ((pulled, (1, -6)), (over, (2, -13)), (crouched, (4, -21)))
    ]


def hanging_pose(legs="legsHang"):
    """Hanging from a ledge at the top right, the face kept back from the wall."""
    return figure(legs, (3, 16), lean=-1, head="headUp", back=("armGrab", 1, -10),
                  front=("armGrab", 0, -10))


def sleeping_pose(zee_at):
    """Lying on the back, face up, a letter z rising; on a canvas wider than the player."""
    body = (Part("bodyLying", 0, 15), Part("head:lying", 14, 13))
    return Pose(body, eyes_closed=True, extras=(Part("zee", *zee_at),))


def waking_pose(eyes_closed):
    """Still lying, the head lifted to look around."""
    return Pose((Part("bodyLying", 0, 15), Part("head", 12, 9)), eyes_closed=eyes_closed)


def standing_pose(scarf="scarfHang"):
    return figure("legsStand", (3, 16), scarf=scarf, back=DOWN, front=DOWN)


def sitting_pose(scarf="scarfHang"):
    """Sitting on the ground, knees up, a hand on the ground behind."""
    return figure("legsSit", (6, 17), drop=4, scarf=scarf, back=BACK, front=FORWARD)


def pushing_pose(scarf, legs="legsLean"):
    """Leaning into a wall or a crate, both hands against it."""
    return figure(legs, (2, 16), drop=1, lean=2, scarf=scarf, back=("armReach", 0, 0),
                  front=("armReach", -1, 0))


def clinging_pose(scarf, back_dy, front):
    """Against a wall on the left, facing away from it: a hand and a foot on the wall."""
    return figure("legsCling", (2, 16), drop=1, scarf=scarf, back=("armFlail", -4, back_dy, True),
                  front=front)


def rummaging_pose(back, front, head="headDown"):
    """The satchel swung round to the front, the hands at it."""
    return figure("legsStand", (3, 16), head=head, satchel="satchelOpen", satchel_in_front=True,
                  back=back, front=front)


def falling_pose(legs, arms_dy):
    return figure(legs, (3, 16), scarf="scarfFly", back=("armFlail", -4, arms_dy, True),
                  front=("armFlail", 0, arms_dy))


def crouching_pose(drop, back, front):
    return figure("legsCrouch", (3, 19), drop=drop, lean=1, head="headDown", back=back,
                  front=front)


def pulling_pose(arms, head="head"):
    """Both hands on a switch handle in front."""
    return figure("legsStand", (3, 16), lean=1, head=head, back=arms, front=arms)


def define_poses():
    """Every pose the animations use, by name; lists are the frames of one motion."""
    return {
        "stand": standing_pose(),
        "standSway": standing_pose("scarfWave"),
        "sit": sitting_pose(),
        "sitSway": sitting_pose("scarfWave"),
        "run": running_poses(),
        "push": [pushing_pose("scarfHang"), swap_legs(pushing_pose("scarfWave"))],
        "jump": [
            figure("legsCrouch", (3, 19), drop=3, back=BACK, front=BACK),
            figure("legsTuck", (3, 16), head="headUp", scarf="scarfFly", back=BACK,
                   front=("armFlail", 0, -2)),
        ],
        "fall": [falling_pose("legsDangle", -2), falling_pose("legsKick", -1)],
        "cling": [clinging_pose("scarfHang", -3, FORWARD), clinging_pose("scarfWave", -2, DOWN)],
        "hang": [hanging_pose(), hanging_pose("legsSway")],
        "climb": climbing_poses(),
        "crouch": [crouching_pose(4, FORWARD, FORWARD), crouching_pose(5, DOWN, ("armDown", 0, 1))],
        "pull": [
            pulling_pose(FORWARD),
            pulling_pose(("armReach", 0, 0)),
            pulling_pose(("armFlail", 0, -2), head="headUp"),
        ],
        "bag": [
            rummaging_pose(FORWARD, ("armDown", 1, 0)),
            rummaging_pose(FORWARD, ("armDown", 1, 1)),
            rummaging_pose(("armReach", 0, 0), ("armReach", 0, 0), head="head"),
            holding(standing_pose()),
        ],
        "float": figure("legsFloat", (4, 15), drop=-1, head="headUp", scarf="scarfFly",
                        back=("armForward", -2, 0, True), front=FORWARD),
        "sleep": [sleeping_pose((12, 8)), sleeping_pose((14, 3))],
        "wake": [waking_pose(False), waking_pose(True)],
    }


# Rendering ---------------------------------------------------------------------------------------

class Puppet:
    """Renders poses from the art parts."""

    LEG_SWAP = {"steel": "slate", "slate": "steel", "wood": "bark", "bark": "wood"}

    def __init__(self, art):
        self.art = art

    def part_image(self, part, eyes_closed=False):
        name, _, variant = part.name.partition(":")
        image = self.art[name]
        if eyes_closed and name.startswith("head"):
            image = closed_eyes(image)
        if variant == "swapped":
            image = pixelart.recoloured(image, self.LEG_SWAP)
        elif variant == "lying":
            # Facing left and turned a quarter clockwise: face up, the top of the head right.
            image = sprites.mirrored(image).transpose(Image.Transpose.ROTATE_270)
        return sprites.mirrored(image) if part.mirrored else image

    def image(self, pose, canvas_size=CANVAS_SIZE):
        canvas = Image.new("RGBA", canvas_size, CLEAR)
        if pose.back_arm:
            shaded = pixelart.recoloured(self.part_image(pose.back_arm), BEHIND)
            paste(canvas, shaded, pose.back_arm)
        for part in pose.body:
            paste(canvas, self.part_image(part, pose.eyes_closed), part)
        frame = pixelart.outlined(canvas)
        # The outline ring and the frame's outline both add a pixel on each side, so a part's
        # canvas position is its ringed picture's place in the frame.
        for part in (pose.front_arm, *pose.extras):
            if part:
                paste(frame, pixelart.outlined(self.part_image(part)), part)
        return frame

    def hands(self, pose):
        """Only the hands of the pose, each outlined: what the game draws over a carried object."""
        frame = Image.new("RGBA", FRAME_SIZE, CLEAR)
        for part in (pose.back_arm, pose.front_arm):
            if part:
                paste(frame, pixelart.outlined(only_colour(self.part_image(part), SKIN)), part)
        return frame


def paste(canvas, image, part):
    """Composites the image with its top-left at the part's position; pixels off the canvas are
    lost, so they are an error."""
    visible = image.getbbox()
    if visible is None:
        return
    left, top = part.x + visible[0], part.y + visible[1]
    right, bottom = part.x + visible[2], part.y + visible[3]
    if left < 0 or top < 0 or right > canvas.width or bottom > canvas.height:
        raise ValueError(f"part {part.name} at ({part.x}, {part.y}) leaves the canvas")
    canvas.alpha_composite(image.crop(visible), (left, top))


def only_colour(image, colour):
    result = Image.new("RGBA", image.size, CLEAR)
    result.putdata([pixel if pixel == colour else CLEAR for pixel in image.getdata()])
    return result


def closed_eyes(head):
    """The head with its eyes shut: the upper pixel of each eye (two pixels tall) becomes skin."""
    result = head.copy()
    upper_pixels = [
        (x, y) for y in range(head.height - 1) for x in range(head.width)
        if head.getpixel((x, y)) == EYE and head.getpixel((x, y + 1)) == EYE
    ]
    if not upper_pixels:
        raise ValueError("a head without eyes to close")
    for position in upper_pixels:
        result.putpixel(position, SKIN)
    return result


def crouching_eye(art):
    """The top pixel of the eye of the player picking something up, facing right: where tears
    spring from when the thing is too heavy."""
    image = Puppet(art).image(define_poses()["crouch"][0])
    return next((x, y) for y in range(image.height) for x in range(image.width)
                if image.getpixel((x, y)) == EYE)


# Teleporting -------------------------------------------------------------------------------------

def as_light(image):
    """The figure turned to light: its outline white, everything inside sky blue."""
    ink = palette.rgba("ink")
    result = Image.new("RGBA", image.size, CLEAR)
    result.putdata([
        CLEAR if pixel[3] == 0 else palette.rgba("white" if pixel == ink else "sky")
        for pixel in image.getdata()
    ])
    return result


def every_other_row(image, step):
    """The picture with only every step-th row left: a figure breaking up into scan lines."""
    result = Image.new("RGBA", image.size, CLEAR)
    for y in range(0, image.height, step):
        result.paste(image.crop((0, y, image.width, y + 1)), (0, y))
    return result


def sparkles(seed, count, light_column=False):
    """A few four-pointed sparkles around the player, optionally a column of light through it."""
    rng = random.Random(seed)
    image = Image.new("RGBA", FRAME_SIZE, CLEAR)
    if light_column:
        for y in range(1, FRAME_SIZE[1] - 1):
            image.putpixel((7, y), palette.rgba("sky"))
            image.putpixel((8, y), palette.rgba("white"))
    for _ in range(count):
        twinkle(image, rng.randint(2, 13), rng.randint(2, 21), "sky")
    return image


def twinkle(image, x, y, rays):
    """A four-pointed sparkle: a white centre with rays of the given colour."""
    for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1)):
        image.putpixel((x + dx, y + dy), palette.rgba("white" if (dx, dy) == (0, 0) else rays))


def teleport_out_images(floating):
    """Frame 0 is the float upwards (the game lifts the player while it shows); then the figure
    turns to light, breaks up and is gone."""
    light = as_light(floating)
    return [
        floating,
        light,
        every_other_row(light, 2),
        every_other_row(light, 4),
        sparkles(1, 3, light_column=True),
        sparkles(2, 2),
        Image.new("RGBA", FRAME_SIZE, CLEAR),
    ]


def teleport_in_images(floating, standing):
    """The way out backwards: sparkles gather into the figure, which lands standing."""
    light = as_light(floating)
    return [
        sparkles(3, 2),
        sparkles(4, 3, light_column=True),
        every_other_row(light, 4),
        every_other_row(light, 2),
        light,
        floating,
        standing,
    ]


# Animations --------------------------------------------------------------------------------------

def per_frame(values, count):
    """One value for each of count frames, from one value for all or a list of them."""
    values = values if isinstance(values, list) else [values] * count
    if len(values) != count:
        raise ValueError(f"{count} frames but {len(values)} values")
    return values


def body_frames(images, delays, offset=(0, 0)):
    """Frames of the pictures, each with the player's body as box 0."""
    return [Frame(image, delay, [BODY_BOX], offset)
            for image, delay in zip(images, per_frame(delays, len(images)))]


def sided(template, right_frames, loop=True):
    return facing_pair(template.format("Right"), template.format("Left"), right_frames, loop)


class Animator:
    """Turns lists of poses into the animations of playerCompiled.txt."""

    def __init__(self, puppet):
        self.puppet = puppet

    def images(self, poses, canvas_size=CANVAS_SIZE):
        return [self.puppet.image(pose, canvas_size) for pose in poses]

    def body(self, template, poses, delays, loop=True):
        """The animation template.format("Right") of the poses and its mirror image "Left"."""
        return sided(template, body_frames(self.images(poses), delays), loop)

    def hands(self, template, poses, delays, loop=True, anchor_pose=None):
        """The hands-only animations of template; box 0 is the carry anchor of each pose's hands,
        or of anchor_pose's for poses whose hands are not yet under the object."""
        right_frames, left_frames = [], []
        for pose, delay in zip(poses, per_frame(delays, len(poses))):
            image = self.puppet.hands(pose)
            right_anchor, left_anchor = carry_anchors(self.puppet.hands(anchor_pose or pose))
            right_frames.append(Frame(image, delay, [right_anchor]))
            left_frames.append(mirrored_frame(right_frames[-1], [left_anchor]))
        return [
            Animation(template.format("Right"), right_frames, loop),
            Animation(template.format("Left"), left_frames, loop),
        ]

    def carrying(self, template, poses, delays, loop=True):
        """template + "Holding" with raised arms, and the matching hands animations."""
        raised = [holding(pose) for pose in poses]
        return (self.body(template + "Holding", raised, delays, loop)
                + self.hands(template + "HoldingHands", raised, delays, loop))


def player_animations(puppet):
    poses = define_poses()
    animator = Animator(puppet)
    stand, sit = poses["stand"], poses["sit"]
    standing = [stand, poses["standSway"]]
    pull_up = animator.images(poses["pull"])
    floating = puppet.image(poses["float"])
    lifted = holding(stand)
    return (
        animator.body("standing{}", standing, [40, 30])
        + animator.body("standing{}Blink", [stand.with_eyes_closed(), stand], [6, 4], loop=False)
        + animator.body("sitting{}", [sit, poses["sitSway"]], [50, 30])
        + animator.body("sitting{}Blink", [sit.with_eyes_closed(), sit], [6, 4], loop=False)
        + animator.body("running{}", poses["run"], 5)
        + animator.body("pushing{}", poses["push"], 10)
        + animator.body("jumping{}", poses["jump"], [4, 8], loop=False)
        + animator.body("falling{}", poses["fall"], 6)
        + animator.body("wallCling{}", poses["cling"], 10)
        + animator.body("grapple{}", poses["hang"], 20)
        + sided("grappleClimb{}",
                body_frames(animator.images(poses["climb"], CLIMB_CANVAS), 4,
                            (-CLIMB_ORIGIN[0], -CLIMB_ORIGIN[1])))
        + animator.body("pickup{}", poses["crouch"], 6)
        + animator.hands("pickup{}Hands", poses["crouch"], 6, anchor_pose=lifted)
        # Facing right the game shows the "...Left" pulls: the handle is hauled to the left.
        + facing_pair("pullUpLeft", "pullUpRight", body_frames(pull_up, [6, 6, 8]), loop=False)
        + facing_pair("pullDownLeft", "pullDownRight", body_frames(pull_up[::-1], [6, 6, 8]),
                      loop=False)
        + animator.body("inventory{}", poses["bag"], 8, loop=False)
        + animator.hands("inventory{}Hands", poses["bag"], 8, loop=False, anchor_pose=lifted)
        + sided("teleportOut{}", body_frames(teleport_out_images(floating), [60] + [6] * 6),
                loop=False)
        + sided("teleportIn{}",
                body_frames(teleport_in_images(floating, puppet.image(stand)), [10] + [6] * 6),
                loop=False)
        + [
            Animation("sleep", body_frames(animator.images(poses["sleep"], LYING_CANVAS), 45,
                                           LYING_OFFSET)),
            Animation("sleepHead", body_frames(animator.images(poses["wake"], LYING_CANVAS),
                                               [50, 5], LYING_OFFSET)),
        ]
        + animator.carrying("standing{}", standing, [40, 30])
        + animator.carrying("running{}", poses["run"], 5)
        + animator.carrying("jumping{}", poses["jump"], [4, 8], loop=False)
        + animator.carrying("falling{}", poses["fall"], 6)
    )


def mirrored_frame(frame, boxes):
    """The frame facing the other way with the given boxes. Mirroring is about the player's
    centre line, so a frame wider than the player gets a new offset."""
    offset = (FRAME_SIZE[0] - frame.image.width - frame.offset[0], frame.offset[1])
    return Frame(sprites.mirrored(frame.image), frame.delay, boxes, offset)


def facing_pair(right_name, left_name, right_frames, loop=True):
    """Two animations: the body frames as drawn, facing right, and their mirror images."""
    left_frames = [
        mirrored_frame(frame, [sprites.mirrored_box(each, FRAME_SIZE[0]) for each in frame.boxes])
        for frame in right_frames
    ]
    return [Animation(right_name, right_frames, loop), Animation(left_name, left_frames, loop)]


def carry_anchors(hands):
    """Box 0 of a hands frame facing right and facing left. The game puts the bottom-right of a
    carried object's box 1 at the right anchor and its top-left at the left one; both place a
    16x16 object centred over the player with its lowest row in the raised hands."""
    rows = [y for y in range(hands.height) for x in range(hands.width)
            if hands.getpixel((x, y)) == SKIN]
    if not rows:
        raise ValueError("a hands frame without hands")
    bottom = min(rows)
    right = FRAME_SIZE[0] - 1
    left, top = FRAME_SIZE[0] - CARRIED_SIZE[0], bottom - (CARRIED_SIZE[1] - 1)
    return box(right, bottom, right, bottom), box(left, top, left, top)


# Animations that show the player on the ground: their lowest pixels must be the frame's last row,
# or the player would float or sink.
GROUNDED = ("standing", "sitting", "running", "pushing", "pickup", "pull", "inventory")


def check_player(animations):
    """Faults the catalog cannot see: feet off the ground where the player stands, and hands
    animations out of step with the body animation they are drawn over."""
    by_name = {animation.name: animation for animation in animations}
    for animation in animations:
        if animation.name.endswith("Hands"):
            body = by_name[animation.name[: -len("Hands")]]
            delays = [frame.delay for frame in animation.frames]
            if delays != [frame.delay for frame in body.frames] or body.loop != animation.loop:
                raise ValueError(f"{animation.name} does not keep step with {body.name}")
        elif animation.name.startswith(GROUNDED):
            if any(frame.image.getbbox()[3] != FRAME_SIZE[1] for frame in animation.frames):
                raise ValueError(f"{animation.name} has a frame whose feet miss the ground")


def build(assets, out):
    puppet = Puppet(pixelart.read_art(assets / "sprites" / "player" / "player.art"))
    animations = player_animations(puppet)
    check_player(animations)
    sprites.write_sprite(out, "playerCompiled.txt", "playerCompiled.png", animations)
