#!/bin/sh
# tcw draw and tcw classify on the captured release-8 run, a per-category
# run and small file sets of their words, from copies in the working folder
# so that the output names files as a user types them.
#
#   tree-commands.sh TCW DATA
tcw=$1
data=$2
cp "$data/release8-test.out" run.c45p
cp "$data/release8-set/"* .
cp "$data/per-category.out" categories.c45p
cp "$data/per-category-set/"* .
run() {
    echo "\$ tcw $*"
    "$tcw" "$@" 2>&1
    echo "exit $?"
}
run draw run.c45p --out pruned.dot
run draw run.c45p --out unpruned.dot --unpruned --depth 1
run draw run.c45p --out tree.png --width 300 --height 200
run draw run.c45p --out tree.gif
run classify run.c45p --stem bla news.xml plain.txt
run classify run.c45p --stem bla --csv --unpruned news.xml
run classify run.c45p --stem missing news.xml
run draw categories.c45p --out earn.dot --category earn
run draw categories.c45p --out all.dot
run classify categories.c45p --stem multi news.xml
