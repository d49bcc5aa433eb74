#!/usr/bin/env python3
"""The catalogue of body parts: one table that the part files, their art and
the ladder's opponents are made from.

Every part is a monster file with one part, pinned at its anchor so that it
hangs on a pin in the editor's tray. Sizes are whole pixels at the camera's
32 pixels per metre (extents are half sizes, so every extent is a multiple of
1/64 m). Values stay within what the loaders accept.

Usage: tools/parts_catalogue.py [GAME_FOLDER]   writes GAME/data/parts/*.xml
(default: game/ beside tools/). The output is committed; the art comes from
tools/make_parts_art.py.
"""
import os
import sys

# kind: what the art script draws. damage parts keep their steel look on
# every opponent; the others take the opponent's accent colour.
#
# Fields: shape ("box" or "circle"), extents (half sizes; circle: radius, 0),
# hp, damage, armour, density, friction, restitution, anchor (pin point in the
# part's frame), limit (lower, upper) or None, motor (speed, torque) or None,
# head, z (lower is in front), role (one line for the README).
PARTS = [
    dict(name="head_light", kind="head", shape="circle", extents=(0.40625, 0), hp=3, damage=60,
         armour=1.2, density=1.0, friction=0.5, restitution=0.1, anchor=(0, 0.3125),
         limit=(-0.05, 0.05), motor=None, head=True, z=46,
         role="light head: cheap and agile, but three hit points"),
    dict(name="head_heavy", kind="helmet", shape="circle", extents=(0.46875, 0), hp=5, damage=60,
         armour=1.6, density=2.0, friction=0.5, restitution=0.1, anchor=(0, 0.3125),
         limit=(-0.05, 0.05), motor=None, head=True, z=46,
         role="heavy head with a helmet: more hit points, takes about half the damage"),
    dict(name="chassis_small", kind="chassis", shape="box", extents=(0.75, 0.25), hp=8, damage=60,
         armour=1.9, density=3.0, friction=0.5, restitution=0.1, anchor=(0, -0.1875),
         limit=None, motor=None, head=False, z=52,
         role="small wooden chassis: the body everything else hangs on"),
    dict(name="chassis_long", kind="beam", shape="box", extents=(1.0, 0.1875), hp=10, damage=60,
         armour=1.9, density=3.0, friction=0.5, restitution=0.1, anchor=(0, -0.125),
         limit=None, motor=None, head=False, z=52,
         role="long metal beam: a wide wheelbase that does not tip over"),
    dict(name="wheel_small", kind="wheel", shape="circle", extents=(0.3125, 0), hp=4, damage=60,
         armour=2.0, density=0.8, friction=0.9, restitution=0.1, anchor=(0, 0),
         limit=None, motor=(-6.0, 1.5), head=False, z=49,
         role="small wheel: fast, weak motor"),
    dict(name="wheel_medium", kind="wheel", shape="circle", extents=(0.4375, 0), hp=5, damage=60,
         armour=2.0, density=0.8, friction=0.9, restitution=0.1, anchor=(0, 0),
         limit=None, motor=(-4.0, 2.5), head=False, z=49,
         role="medium wheel: the all-rounder"),
    dict(name="wheel_large", kind="wheel", shape="circle", extents=(0.625, 0), hp=7, damage=60,
         armour=2.0, density=0.8, friction=1.0, restitution=0.1, anchor=(0, 0),
         limit=None, motor=(-3.0, 6.0), head=False, z=49,
         role="large wheel: slow, strong motor, pushes hard"),
    dict(name="wheel_spiked", kind="spikedwheel", shape="circle", extents=(0.5, 0), hp=6, damage=120,
         armour=2.0, density=1.0, friction=1.0, restitution=0.1, anchor=(0, 0),
         limit=None, motor=(-3.5, 4.0), head=False, z=49,
         role="spiked wheel: drives and bites"),
    dict(name="leg", kind="leg", shape="box", extents=(0.09375, 0.5625), hp=6, damage=60,
         armour=1.9, density=1.5, friction=1.0, restitution=0.0, anchor=(0, -0.46875),
         limit=None, motor=(-2.0, 10.0), head=False, z=51,
         role="crank leg: turns round its hip and walks over anything"),
    dict(name="armour_plate", kind="armour", shape="box", extents=(0.09375, 0.5625), hp=8,
         damage=10, armour=1.9, density=3.0, friction=0.6, restitution=0.0, anchor=(0, 0),
         limit=(0.0, 0.0), motor=None, head=False, z=45,
         role="armour plate: a steel wall that shrugs off hits, but hardly hurts"),
    dict(name="armour_roof", kind="armour", shape="box", extents=(0.75, 0.09375), hp=6,
         damage=10, armour=1.9, density=2.5, friction=0.6, restitution=0.0, anchor=(0, 0),
         limit=(0.0, 0.0), motor=None, head=False, z=45,
         role="armour roof: a flat plate over the head"),
    dict(name="spike", kind="spike", shape="box", extents=(0.625, 0.09375), hp=6, damage=200,
         armour=1.6, density=1.5, friction=0.4, restitution=0.0, anchor=(-0.53125, 0),
         limit=(0.0, 0.0), motor=None, head=False, z=47,
         role="spike: fixed; drive it into the other head; a spike on a spike is a lance"),
    dict(name="blade", kind="blade", shape="box", extents=(0.625, 0.09375), hp=6, damage=200,
         armour=1.5, density=2.0, friction=0.3, restitution=0.0, anchor=(0, 0),
         limit=None, motor=(-6.0, 3.0), head=False, z=47,
         role="spinning blade: turns round its middle; on a spike's tip it is a saw"),
    dict(name="hammer", kind="hammer", shape="box", extents=(0.875, 0.15625), hp=9, damage=300,
         armour=1.6, density=1.5, friction=0.5, restitution=0.0, anchor=(-0.75, 0),
         limit=(-0.3, 1.0), motor=(-1.0, 10.0), head=False, z=47,
         role="hammer: a heavy head its motor presses down on whatever is below"),
    dict(name="flail", kind="flail", shape="box", extents=(0.9375, 0.09375), hp=7, damage=240,
         armour=1.5, density=3.0, friction=0.4, restitution=0.0, anchor=(-0.84375, 0),
         limit=None, motor=None, head=False, z=47,
         role="flail: a heavy bar swinging free round one end"),
    dict(name="arm", kind="arm", shape="box", extents=(0.6875, 0.125), hp=8, damage=60,
         armour=1.8, density=1.2, friction=0.5, restitution=0.0, anchor=(-0.5625, 0),
         limit=(-0.2, 0.8), motor=(1.0, 8.0), head=False, z=48,
         role="motorised arm: lifts whatever is pinned to its end"),
    dict(name="counterweight", kind="weight", shape="circle", extents=(0.34375, 0), hp=10, damage=60,
         armour=1.95, density=12.0, friction=0.6, restitution=0.0, anchor=(0, 0),
         limit=(0.0, 0.0), motor=None, head=False, z=50,
         role="counterweight: dark iron that keeps a monster on its wheels"),
]

DAMAGE_KINDS = {"spikedwheel", "spike", "blade", "hammer", "flail"}

BY_NAME = {part["name"]: part for part in PARTS}


def part_file(name):
    return "data/parts/%s.xml" % name


def sprite_file(name, opponent=None):
    if opponent:
        return "data/gfx/parts/opponents/%s/%s.xml" % (opponent, name)
    return "data/gfx/parts/%s.xml" % name


def number(value):
    text = ("%.6g" % value)
    return "0" if text == "-0" else text


def element(name, value):
    return "    <%s>\n      %s\n    </%s>\n" % (name, value, name)


def vector(name, x, y):
    return '    <%s x="%s" y="%s" >\n    </%s>\n' % (name, number(x), number(y), name)


def part_xml(part):
    shape = 1 if part["shape"] == "box" else 0
    ex, ey = part["extents"]
    limit = part["limit"]
    motor = part["motor"]
    text = "<Monster>\n"
    text += ('  <MonsterBodyPart object_id="0" physics_shape_type="%d" '
             'unique_monster_part_id="-1" >\n' % shape)
    text += element("GameHP", number(part["hp"]))
    text += element("GameDamage", number(part["damage"]))
    text += element("GameArmor", number(part["armour"]))
    text += vector("PhysLocalPosition", 0, 0)
    text += element("PhysLocalRotation", "0")
    text += element("IsHeadPart", "1" if part["head"] else "0")
    text += vector("PhysExtents", ex, ey)
    text += element("PhysFriction", number(part["friction"]))
    text += element("PhysRestitution", number(part["restitution"]))
    text += element("PhysDensity", number(part["density"]))
    text += element("GfxFilename", sprite_file(part["name"]))
    text += element("PhysIsMrBigJoint", "1")
    text += element("PhysHasJoint", "1")
    text += vector("PhysAnchorPoint", *part["anchor"])
    text += element("PhysHasLimit", "1" if limit else "0")
    text += element("PhysUpperLimit", number(limit[1] if limit else 0))
    text += element("PhysLowerLimit", number(limit[0] if limit else 0))
    text += element("PhysMotorSpeed", number(motor[0] if motor else 0))
    text += element("PhysMotorTorgue", number(motor[1] if motor else 0))
    text += element("PhysHasMotor", "1" if motor else "0")
    text += element("PhysConnectedToBody", "0")
    text += "  </MonsterBodyPart>\n</Monster>\n"
    return text


def main():
    game = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "game")
    folder = os.path.join(game, "data", "parts")
    os.makedirs(folder, exist_ok=True)
    for part in PARTS:
        for extent in part["extents"]:
            assert abs(extent * 64 - round(extent * 64)) < 1e-9, part["name"]
        with open(os.path.join(folder, part["name"] + ".xml"), "w") as out:
            out.write(part_xml(part))


if __name__ == "__main__":
    main()
