# SPDX-License-Identifier: GPL-3.0-or-later
# Who makes Movrand and where it lives: the one place for these values. The .deb, the AppStream
# description and the Debian source package take them from here (debian/control and
# debian/changelog carry a copy of the maintainer, which the package test compares with this one).
#
# The home page and the address of the published screenshots stay empty until the project has a
# site of its own: nothing installed then names a host. When it is published, set them here
# (and add "Homepage:" to debian/control); the AppStream description then names them.
set(MOVRAND_MAINTAINER "Zorvex <movrand@zorvex-gpl.example>")
set(MOVRAND_HOMEPAGE "")
set(MOVRAND_SCREENSHOT_URL "")  # the folder holding the pictures of docs/screenshots/
# The AppStream component id: reverse DNS, lower case.
set(MOVRAND_APP_ID "io.github.zorvex.movrand")
