#!/usr/bin/env python3
"""Generates large synthetic body-in-white process documents for benchmarks.

The output is deterministic for a given seed and size. The root holds zones
(groupings) of stations; each station holds Start and Stop nodes and a chain
of loading, joining and sealing operations. Products form a tree of
sub-assemblies and parts; resources hang under a few father products.

  gen_process_document.py --activities 10000 --products 50000 --seed 1 -o big.xml
"""

import argparse
import random
import sys

from process_document_xml import DocumentBuilder

OPERATION_TYPES = [
    "BIWActivityLoading",
    "BIWActivitySpotWelding",
    "BIWActivityStudWelding",
    "BIWActivitySpotGluing",
    "BIWActivityArcWelding",
    "BIWActivityAdhesiveApplication",
    "BIWActivitySealantApplication",
    "BIWActivityClinching",
]
# Father product of each kind of resource, with the resource type.
RESOURCE_FATHERS = [("Robots", "Robot"), ("Fixtures", "Fixture"), ("Weld guns", "WeldGun"),
                    ("Sealing guns", "SealingGun"), ("Grippers", "Gripper")]
STATIONS_PER_ZONE = 12
GRID = 25.0


def build_products(doc, rng, count):
    """A tree of `count` products: bodies, sub-assemblies, parts; about 5% hidden."""
    products, subassemblies = [], []
    body_count = max(1, count // 2000)
    for b in range(body_count):
        products.append(doc.product(None, "Body variant %d" % (b + 1)))
    while len(products) < count:
        body = products[rng.randrange(body_count)]
        sub = doc.product(body, "Sub-assembly %d" % (len(subassemblies) + 1), rng.random() > 0.05)
        subassemblies.append(sub)
        products.append(sub)
        for _ in range(min(rng.randint(4, 14), count - len(products))):
            products.append(doc.product(sub, "Part %d" % len(products), rng.random() > 0.05))
    return products, subassemblies


def build_resources(doc, count):
    by_kind = {}
    per_father = max(1, count // len(RESOURCE_FATHERS))
    for father_name, resource_type in RESOURCE_FATHERS:
        father = doc.resource(None, father_name, "Folder")
        by_kind[father_name] = [
            doc.resource(father, "%s %d" % (resource_type, i + 1), resource_type)
            for i in range(per_father)
        ]
    return by_kind


def chain(doc, level, start, stop, nodes):
    previous = start
    for node in nodes:
        doc.link(level, previous, node)
        previous = node
    doc.link(level, previous, stop)


def generate(activity_count, product_count, seed):
    rng = random.Random(seed)
    doc = DocumentBuilder()
    products, subassemblies = build_products(doc, rng, product_count)
    resources = build_resources(doc, max(len(RESOURCE_FATHERS), activity_count // 4))
    assemblies = []
    for i in range(max(1, product_count // 500)):
        members = rng.sample(products, 4)
        if assemblies and rng.random() < 0.3:
            members.append(rng.choice(assemblies))
        assemblies.append(doc.assembly("Manufacturing assembly %d" % (i + 1), members))

    root = doc.activity(None, "BIWActivityRoot", "Synthetic line", position=(12.5, 12.5))
    root_start, root_stop = doc.start_stop(root)
    made = 1
    zones = []
    while made < activity_count:
        zone = doc.activity(root, "BIWActivityGrouping", "Zone %d" % (len(zones) + 1),
                            position=(GRID * (len(zones) + 1) * 2 + 12.5, 12.5),
                            cycle_time=rng.choice([48, 52.5, 55, 60]))
        made += 1
        zone_start, zone_stop = doc.start_stop(zone)
        stations = []
        while made < activity_count and len(stations) < STATIONS_PER_ZONE:
            # Every other zone is left for the automatic layout.
            placed = len(zones) % 2 == 0
            position = (GRID * (len(stations) + 1) + 12.5, 12.5) if placed else None
            station = doc.activity(zone, "BIWActivityStation",
                                   "ST%04d" % (10 * (made + 1)), position=position,
                                   cycle_time=round(rng.uniform(35, 60), 1))
            made += 1
            stations.append(station)
            made += build_station(doc, rng, station, activity_count - made,
                                  products, subassemblies, assemblies, resources)
        chain(doc, zone, zone_start, zone_stop, stations)
        zones.append(zone)
    chain(doc, root, root_start, root_stop, zones)
    return doc


def build_station(doc, rng, station, budget, products, subassemblies, assemblies, resources):
    """Fills a station with at most `budget` operations; returns how many."""
    start, stop = doc.start_stop(station)
    for product in rng.sample(products, rng.randint(2, 5)):
        doc.product_input(station, product)
    doc.product_output(station, rng.choice(subassemblies))
    if rng.random() < 0.2:
        doc.assign_item(station, rng.choice(assemblies))
    doc.assign_resource(station, rng.choice(resources["Fixtures"]))
    doc.attribute(station, "Operators", "long", rng.randint(0, 3))
    doc.attribute(station, "Availability", "double", round(rng.uniform(0.9, 0.99), 3))
    operations = []
    for i in range(min(budget, rng.randint(3, 6))):
        type_name = OPERATION_TYPES[0] if i == 0 else rng.choice(OPERATION_TYPES[1:])
        operation = doc.activity(station, type_name, "Op %d" % (i + 1))
        if type_name == "BIWActivityLoading":
            for part in rng.sample(products, 2):
                doc.assign_item(operation, part)
            doc.assign_resource(operation, rng.choice(resources["Grippers"]))
        else:
            doc.assign_resource(operation, rng.choice(resources["Robots"]))
            doc.assign_resource(operation, rng.choice(resources["Weld guns"]))
        operations.append(operation)
    chain(doc, station, start, stop, operations)
    # A branch in parallel with the second operation.
    if len(operations) > 3:
        doc.link(station, operations[0], operations[2])
    return len(operations)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--activities", type=int, default=10000)
    parser.add_argument("--products", type=int, default=50000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("-o", "--output", required=True)
    args = parser.parse_args(argv)
    if args.activities < 1 or args.products < 10:
        parser.error("need at least 1 activity and 10 products")
    generate(args.activities, args.products, args.seed).write(args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
